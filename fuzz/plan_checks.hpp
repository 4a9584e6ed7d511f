#pragma once

// The properties the plan readers' fuzz targets share.

#include <cstddef>
#include <string>
#include <string_view>

#include "readers/plan_route.hpp"

namespace korvanta::fuzz {

// What every plan reader promises: a message, or a route of two points or
// more whose ends are airports the header names, whose positions read as the
// writers read them, whose tracks are whole degrees 0-359 and whose only
// frequencies are navaids'. The route, or
// nullptr for a message.
const PlanRoute* CheckPlanRead(const PlanReadResult& result);

// How a format carries a route into its file and back: the kind row `i` is
// read back with, and the airway (nothing when the format holds none).
struct CarriedRoute {
  WaypointKind (*kind)(const RouteHeader& header, const WaypointTable& waypoints, std::size_t i);
  // The airway of row `i` read back; nullptr when the format holds none.
  std::string (*airway)(const WaypointTable& waypoints, std::size_t i);
  bool names = false;  // whether the format holds the airports' names
};

// The kind as the X-Plane, MSFS and GPX writers write it: an airport at both
// ends and wherever a point is named like one of them, VOR, NDB, and
// `other_airport` for an airport elsewhere.
WaypointKind WrittenKind(const RouteHeader& header, const WaypointTable& waypoints, std::size_t i,
                         WaypointKind other_airport);

// Requires the route read back from a writer's file to hold the route's
// identifiers, kinds, positions, and the airways and names the format carries.
void RequireSameRoute(const PlanRoute& route, const PlanReadResult& read_back,
                      const CarriedRoute& carried);

}  // namespace korvanta::fuzz
