#pragma once

#include <string>

#include "route/tables.hpp"

namespace korvanta {

// The GPX 1.1 route from a route parsed in text mode: the plan's name and
// description, then one route point per row with its position, elevation in
// metres (the airport's for the two airports, the cruise altitude for the
// others), identifier, description (the airport's name, or the airway leaving
// the point) and kind. A longitude of 180 degrees east is written as -180,
// the format's name for that meridian. UTF-8 without byte order mark, LF line
// ends, every character of the texts kept, escaped. A coordinate that does not
// read is the run's error report.
std::string WriteGpxRoute(const RouteHeader& header, const WaypointTable& waypoints);

}  // namespace korvanta
