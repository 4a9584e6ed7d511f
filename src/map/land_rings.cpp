#include "map/land_rings.hpp"

#include <cmath>
#include <numbers>

namespace korvanta {

namespace {

// Whether the ring goes round the plane's origin (the projection's centre):
// its turns about the origin add up to a whole circle.
bool GoesRoundCentre(const std::vector<PlanePoint>& ring) {
  PlaneBox box{ring.front().x, ring.front().y, ring.front().x, ring.front().y};
  for (const PlanePoint point : ring)
    box.Include(point);
  if (box.west > 0 || box.east < 0 || box.south > 0 || box.north < 0)
    return false;
  double turned = 0;
  for (std::size_t index = 0; index < ring.size(); ++index) {
    const PlanePoint from = ring[(index + ring.size() - 1) % ring.size()];
    const PlanePoint to = ring[index];
    turned += std::atan2(from.x * to.y - from.y * to.x, from.x * to.x + from.y * to.y);
  }
  return std::abs(turned) > std::numbers::pi;
}

// Whether the land lies on the ring's far side: the ring goes round the
// centre, and the part of the globe it encloses about the centre is the
// larger one (no land ring encloses more than half the globe).
bool EnclosesFarSide(const std::vector<PlanePoint>& ring) {
  if (!GoesRoundCentre(ring))
    return false;
  double distance_sum = 0;
  for (const PlanePoint point : ring)
    distance_sum += std::hypot(point.x, point.y);
  return distance_sum / static_cast<double>(ring.size()) > std::numbers::pi / 2;
}

}  // namespace

std::vector<std::vector<MapPixel>> ProjectedLand(const LandShapes& shapes,
                                                 const AzimuthalEquidistant& projection,
                                                 const ViewportFit& fit,
                                                 const PixelRectangle& frame) {
  const std::vector<MapPixel> whole_frame = {{frame.left, frame.top},
                                             {frame.right, frame.top},
                                             {frame.right, frame.bottom},
                                             {frame.left, frame.bottom}};
  std::vector<std::vector<MapPixel>> land;
  std::vector<PlanePoint> plane;
  std::vector<MapPixel> pixels;
  for (const std::vector<GeoPoint>& ring : shapes.rings) {
    if (ring.size() < 3)
      continue;
    plane.clear();
    pixels.clear();
    for (const GeoPoint place : ring) {
      plane.push_back(projection.Project(place));
      pixels.push_back(fit.ToPixel(plane.back()));
    }
    std::vector<MapPixel> clipped = ClipRing(pixels, frame);
    if (EnclosesFarSide(plane))
      land.push_back(whole_frame);
    if (!clipped.empty())
      land.push_back(std::move(clipped));
  }
  return land;
}

}  // namespace korvanta
