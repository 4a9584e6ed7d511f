#pragma once

#include <string_view>

#include "readers/plan_route.hpp"
#include "route/airports.hpp"

namespace korvanta {

inline constexpr std::string_view kNoGpxRoute = "The GPX file holds no route";

// A GPX 1.1 file read into the route: the points of its first "rte" with at
// least two "rtept", else its "wpt" elements in order. "name" is the
// identifier, "type" the kind (Airport, VOR, NDB, anything else a fix), "ele"
// the altitude in metres. The first and last points' "desc" names the
// airport; an en-route point's "desc" is the airway leaving it when it is one
// word of letters and digits with a digit in it ("UL602"), as Korvanta's GPX
// writes it.
PlanReadResult ReadGpxRoute(std::string_view bytes, const AirportDatabase& airports);

}  // namespace korvanta
