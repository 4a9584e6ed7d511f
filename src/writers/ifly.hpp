#pragma once

#include <string>

#include "route/tables.hpp"

namespace korvanta {

// The iFly 737NG flight plan (".fltplan") from a route parsed in text mode:
// sixteen header lines, then one leg line per fix between the airports with
// the fix's position and the great-circle course of the leg into it.
// Windows-1252 text, CR LF line ends. Every row's coordinates must read as
// numbers (the courses need them); RunError names the first waypoint whose
// coordinate does not.
std::string WriteIflyPlan(const RouteHeader& header, const WaypointTable& waypoints);

// A leg's course as the plan writes it: the general number form (up to 15
// significant digits, no exponent), the integer part padded to three digits,
// cut to 9 characters. 294.641234 gives 294.64123, 90 gives 90.
std::string IflyCourseText(long double course);

}  // namespace korvanta
