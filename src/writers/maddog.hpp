#pragma once

#include <string>

#include "route/tables.hpp"

namespace korvanta {

// The MadDog 2008 ".mdr" route of a route parsed in text mode: the departure
// and destination codes, then one line per fix as "via id lat lon" with
// decimal degrees. Along one airway only the fix where it is joined and the
// fix where it is left are written; each line names the airway by which its
// fix is reached, or DIRECT. CR LF line ends.
std::string WriteMadDogRoute(const RouteHeader& header, const WaypointTable& waypoints);

}  // namespace korvanta
