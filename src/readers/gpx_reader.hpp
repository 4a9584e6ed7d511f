#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "readers/plan_route.hpp"
#include "route/airports.hpp"

namespace korvanta {

inline constexpr std::string_view kNoGpxRoute = "The GPX file holds no route";

// What a GPX file says, before the route is made of it: its points in order,
// what it says of the route as a whole, and its notes for the user.
struct GpxPlan {
  std::vector<PlanPoint> points;
  PlanHeaderValues values;
  std::vector<std::string> notes;
};

using GpxReadResult = std::variant<GpxPlan, PlanReadError>;

// A GPX 1.1 file's points: those of its first "rte" with at least two
// "rtept" (a note says so when there are more such routes), else its "wpt"
// elements in order. "name" is the identifier (a point without one is named
// from its position), "type" the kind (Airport, VOR, NDB, anything else a
// fix), "ele" the altitude in metres.
//
// "desc" is free text that every program fills as it likes ("WP002",
// "Airport", "RAKOV12"), so it is read only from the files Korvanta wrote:
// there the first and last points' "desc" names the airport and an en-route
// point's "desc" is the airway leaving it, whatever its letters ("NATB").
// Other files have no airways, and their airports' names are left to the
// airport list.
GpxReadResult ReadGpxPlan(std::string_view bytes);

// The route of a GPX file's points (ReadGpxPlan), its notes included.
PlanReadResult ReadGpxRoute(std::string_view bytes, const AirportDatabase& airports);

}  // namespace korvanta
