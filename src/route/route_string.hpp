#pragma once

#include <string>

#include "route/tables.hpp"

namespace korvanta {

// The route as a pilot files it: the departure, each airway with the point
// where the route leaves it, "DCT" between points that no airway joins, the
// destination ("EGLL BPK Q295 BRAIN L620 CLN DCT LIFFY KJFK"). The legs
// from the departure and to the destination (the SID and STAR) are not
// named; a North Atlantic track's points are written one by one, joined by
// "DCT"; a point named from its position (or "WPnn") is written as its
// latitude and longitude in whole minutes ("4630N12236W").
std::string RouteString(const WaypointTable& waypoints);

}  // namespace korvanta
