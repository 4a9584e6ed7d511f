#pragma once

#include <string>

#include "route/tables.hpp"

namespace korvanta {

// The Level-D 767 route (".rte") from a route parsed in text mode: two
// comment lines, the "H," record of the two airports, one "W," record per fix
// between them and "End of FlightPlan". Windows-1252 text, CR LF line ends.
// A frequency that does not read is written as 0.000000.
std::string WriteLevelDRoute(const RouteHeader& header, const WaypointTable& waypoints);

}  // namespace korvanta
