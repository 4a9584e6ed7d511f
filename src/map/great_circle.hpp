#pragma once

#include <span>
#include <vector>

#include "map/land.hpp"

namespace korvanta {

// The angle between two places seen from the earth's centre, in radians
// (the great-circle distance on a sphere of radius one).
double ArcBetween(GeoPoint from, GeoPoint to);

// The place a fraction of the way along the great circle from one place to
// the other (0 the first, 1 the second).
GeoPoint PointAlongArc(GeoPoint from, GeoPoint to, double fraction);

// The great-circle leg from one place to the other as a line of places no
// more than `step_degrees` of arc apart, and at least `least_segments`
// segments, so that drawn straight between its places the leg curves as it
// does on a globe. Both ends are included.
std::vector<GeoPoint> DensifiedLeg(GeoPoint from, GeoPoint to, double step_degrees,
                                   int least_segments);

// The place halfway along a path of great-circle legs through `points`
// (the first point for a path of no length).
GeoPoint PathMidpoint(std::span<const GeoPoint> points);

inline constexpr double kDegreesPerRadian = 57.29577951308232;
inline constexpr double kNauticalMilesPerRadian = 60 * kDegreesPerRadian;

}  // namespace korvanta
