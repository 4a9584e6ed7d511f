#pragma once

#include <string>
#include <string_view>

#include "route/tables.hpp"

namespace korvanta {

// The X-Plane 11/12 flight plan (".fms", format version 1100) from a route
// parsed in text mode: the header with the AIRAC `cycle`, the airports and,
// when one was given, the departure runway ("RW" and a two-digit number:
// "7L" and "RW07L" both give RW07L); then one point line per row with its
// type code, identifier, the airway it is reached by ("DRCT" for a direct
// leg, "ADEP"/"ADES" for the airports), altitude in feet with six decimals
// and decimal position. Windows-1252 text, CR LF line ends. A coordinate that does not
// read is the run's error report.
std::string WriteXPlane11Fms(const RouteHeader& header, const WaypointTable& waypoints,
                             std::string_view runway, std::string_view cycle);

}  // namespace korvanta
