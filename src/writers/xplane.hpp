#pragma once

#include <string>

#include "route/tables.hpp"

namespace korvanta {

// The X-Plane FMS plan (".fms") from a route parsed in text mode: a four-line
// header, one line per row (the airports included) with its type code,
// identifier, altitude 0 and decimal position, and an empty last line.
// Windows-1252 text, CR LF line ends.
std::string WriteXPlaneFms(const RouteHeader& header, const WaypointTable& waypoints);

}  // namespace korvanta
