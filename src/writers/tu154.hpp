#pragma once

#include <string>

#include "navdata/kln_navigation_points.hpp"
#include "route/tables.hpp"

namespace korvanta {

// The highest plan number the KLN 90B unit stores.
inline constexpr int kTu154MaxPlanNumber = 25;

// The key under which a waypoint of Waypoints (text mode) is looked up in `navigation_points`: its
// six-character identifier (SixCharacterId), then the integer parts of its longitude and latitude
// in decimal degrees.
std::string Tu154LookupKey(const Waypoint& row);

// The plan of "FPLS.TXT": the header [FPL.n], one Point line per waypoint
// found in `navigation_points` (with the coordinates stored there), numbered from 0 without
// gaps, and PointsCount. A waypoint that is not found is left out. The
// lookups move the cursor of `navigation_points`. CR LF line ends.
std::string WriteTu154Plan(const WaypointTable& waypoints, KlnNavigationPoints& navigation_points,
                           int plan_number);

}  // namespace korvanta
