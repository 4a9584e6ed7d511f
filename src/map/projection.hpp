#pragma once

#include "map/land.hpp"

namespace korvanta {

// A point of the projection's plane, in radians of arc from the centre:
// x to the east of the centre, y to its north.
struct PlanePoint {
  double x = 0;
  double y = 0;
};

// Beyond this distance from the centre (radians) the projection nears its
// tear at the antipode, where neighbouring places land far apart: places
// farther out are drawn on this circle, in their own direction, so that a
// shape reaching round the far side of the globe stays in one piece.
inline constexpr double kTearDistance = 3.0;

// The azimuthal equidistant projection about one place: every place lies at
// its true great-circle distance from the centre, in its true direction.
// Short hops and ocean crossings keep their shape near the centre, and a
// route across the antimeridian or over a pole is one line.
class AzimuthalEquidistant {
 public:
  explicit AzimuthalEquidistant(GeoPoint centre);

  // The place in the plane; places beyond kTearDistance are drawn at it.
  PlanePoint Project(GeoPoint place) const;
  GeoPoint Centre() const { return centre_; }

 private:
  GeoPoint centre_;
  double centre_sine_ = 0;
  double centre_cosine_ = 1;
};

}  // namespace korvanta
