#pragma once

#include <string>
#include <string_view>

#include "route/tables.hpp"

namespace korvanta {

// The MSFS 2020 flight plan (an XML document of type "AceXML") from a route
// parsed in text mode, with at least one waypoint. Positions are the route's
// degrees, minutes and hundredths of a second as they stand; each waypoint
// names the airway by which it is reached and carries its ICAO identifier;
// the departure carries the runway when `runway` reads as one (ReadRunway).
// UTF-8 with a byte order mark, CR LF line ends. A coordinate that does not
// read is the run's error report.
std::string WriteMsfsPlan(const RouteHeader& header, const WaypointTable& waypoints,
                          std::string_view runway);

}  // namespace korvanta
