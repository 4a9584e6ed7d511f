#pragma once

#include <optional>
#include <string>

#include "route/tables.hpp"

namespace korvanta {

// Why a route may not be written, checked before the run writes anything:
// every waypoint's coordinates, in the text form the details list gives
// ("N51°28'42.00\""), must read and lie on the globe. A coordinate that does
// not would reach the files as "ERR" or as a position no simulator takes.
// None when every coordinate is good; else the message naming the first bad
// one: `Waypoint KENET: latitude "N51°XX'00.00"" does not read`.
std::optional<std::string> RouteFault(const WaypointTable& waypoints);

}  // namespace korvanta
