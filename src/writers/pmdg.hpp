#pragma once

#include <string>
#include <string_view>

#include "route/tables.hpp"

namespace korvanta {

// The PMDG 737/747 route (".rte") from a route parsed in decimal mode (every
// coordinate "N 50.0333"-style text, copied as it stands): the header, the
// departure block with the runway lines, one block per row from the second
// on (a destination block for a row named like the destination, a waypoint
// block otherwise). Windows-1252 text, CR LF line ends. `runway` is the
// departing runway as entered; empty means none.
std::string WritePmdgRoute(const RouteHeader& header, const WaypointTable& waypoints,
                           std::string_view runway);

}  // namespace korvanta
