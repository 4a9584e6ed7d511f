#pragma once

#include <optional>
#include <string>

#include "route/tables.hpp"

namespace korvanta {

// Why a route may not be written, checked before the run writes anything:
// every waypoint's coordinates, as the route source read them, must read and
// lie on the globe; a route with one that does not has no position to write.
// None when every coordinate is good; else the message naming the first bad
// one, with its text as the source gives it: `Waypoint KENET: latitude "N51°XX'00.00"" does not
// read`.
std::optional<std::string> RouteFault(const WaypointTable& waypoints);

}  // namespace korvanta
