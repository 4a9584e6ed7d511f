#include "map/map_builder.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "map/clipping.hpp"
#include "map/graticule.hpp"
#include "map/great_circle.hpp"
#include "map/labels.hpp"
#include "map/projection.hpp"

namespace korvanta {

namespace {

// A leg is drawn straight between places at most this far apart, and in at
// least this many pieces: a long leg curves as on a globe.
constexpr double kLegStepDegrees = 1;
constexpr int kLeastLegSegments = 4;
// A route shorter than this (a single point, a hop round the field) is
// shown at this size, not blown up to fill the picture.
constexpr double kLeastViewNauticalMiles = 20;

struct PlaneBox {
  double west = 0;
  double south = 0;
  double east = 0;
  double north = 0;

  void Include(PlanePoint point) {
    west = std::min(west, point.x);
    east = std::max(east, point.x);
    south = std::min(south, point.y);
    north = std::max(north, point.y);
  }
  double Width() const { return east - west; }
  double Height() const { return north - south; }
};

// How the plane lands in the picture: the route's box centred, scaled to
// the room inside the margin, north up.
class ViewportFit {
 public:
  ViewportFit(const PlaneBox& route_box, const MapSize& size)
      : centre_x_((route_box.west + route_box.east) / 2),
        centre_y_((route_box.south + route_box.north) / 2),
        half_width_(size.width / 2),
        half_height_(size.height / 2) {
    const double least_extent = kLeastViewNauticalMiles / kNauticalMilesPerRadian;
    const double room_x = std::max(1.0, size.width - 2 * size.margin);
    const double room_y = std::max(1.0, size.height - 2 * size.margin);
    scale_ = std::min(room_x / std::max(route_box.Width(), least_extent),
                      room_y / std::max(route_box.Height(), least_extent));
  }

  MapPixel ToPixel(PlanePoint point) const {
    return {half_width_ + (point.x - centre_x_) * scale_,
            half_height_ - (point.y - centre_y_) * scale_};
  }
  PlanePoint ToPlane(MapPixel pixel) const {
    return {centre_x_ + (pixel.x - half_width_) / scale_,
            centre_y_ - (pixel.y - half_height_) / scale_};
  }
  double RadiansPerPixel() const { return 1 / scale_; }

 private:
  double centre_x_;
  double centre_y_;
  double half_width_;
  double half_height_;
  double scale_ = 1;
};

GeoPoint PlaceOf(const Waypoint& row) {
  return {static_cast<double>(row.position.latitude) / kHundredthsPerDegree,
          static_cast<double>(row.position.longitude) / kHundredthsPerDegree};
}

// The farthest the picture reaches from the projection's centre, in
// radians: what lies beyond cannot show.
double ViewRadius(const ViewportFit& fit, const MapSize& size) {
  double radius = 0;
  for (const MapPixel corner : {MapPixel{0, 0}, MapPixel{size.width, 0}, MapPixel{0, size.height},
                                MapPixel{size.width, size.height}}) {
    const PlanePoint point = fit.ToPlane(corner);
    radius = std::max(radius, std::hypot(point.x, point.y));
  }
  return radius;
}

std::vector<MapPixel> ToPixels(const std::vector<GeoPoint>& places,
                               const AzimuthalEquidistant& projection, const ViewportFit& fit) {
  std::vector<MapPixel> pixels;
  pixels.reserve(places.size());
  for (const GeoPoint place : places)
    pixels.push_back(fit.ToPixel(projection.Project(place)));
  return pixels;
}

}  // namespace

MapLand BuiltInMapLand() {
  return {BuiltInLand(LandDetail::kCoarse), BuiltInLand(LandDetail::kFine)};
}

MapPicture BuildMapPicture(const WaypointTable& route, const MapSize& size, const MapLand& land) {
  MapPicture picture;
  picture.width = size.width;
  picture.height = size.height;
  if (route.IsEmpty())
    return picture;

  std::vector<GeoPoint> places;
  places.reserve(route.Count());
  for (const Waypoint& row : route)
    places.push_back(PlaceOf(row));
  // The centre halfway along the route: no point of it lies farther from
  // the centre than half the route's length, so the projection's stretch,
  // which grows with that distance, is shared by both halves of the route
  // whatever the points' spacing, and a route across the antimeridian or a
  // pole is centred on its own path.
  const AzimuthalEquidistant projection(PathMidpoint(places));

  std::vector<std::vector<GeoPoint>> legs;
  PlaneBox route_box{};  // starts at the centre, which lies on the route
  for (std::size_t index = 0; index < places.size(); ++index) {
    route_box.Include(projection.Project(places[index]));
    if (index > 0) {
      legs.push_back(
          DensifiedLeg(places[index - 1], places[index], kLegStepDegrees, kLeastLegSegments));
      for (const GeoPoint place : legs.back())
        route_box.Include(projection.Project(place));
    }
  }
  const ViewportFit fit(route_box, size);
  const PixelRectangle frame{0, 0, size.width, size.height};

  const double route_span =
      std::max(route_box.Width(), route_box.Height()) * kNauticalMilesPerRadian;
  const LandShapes& shapes = route_span > kFineLandSpanNauticalMiles ? land.coarse : land.fine;
  for (const std::vector<GeoPoint>& ring : shapes.rings) {
    std::vector<MapPixel> clipped = ClipRing(ToPixels(ring, projection, fit), frame);
    if (!clipped.empty())
      picture.land.push_back(std::move(clipped));
  }

  const double view_degrees =
      std::max(size.width, size.height) * fit.RadiansPerPixel() * kDegreesPerRadian;
  for (const std::vector<GeoPoint>& line :
       GraticuleLines(GraticuleSpacing(view_degrees), projection.Centre(), ViewRadius(fit, size))) {
    for (std::vector<MapPixel>& piece : ClipLine(ToPixels(line, projection, fit), frame))
      picture.graticule.push_back(std::move(piece));
  }

  for (const std::vector<GeoPoint>& leg : legs)
    picture.legs.push_back(ToPixels(leg, projection, fit));

  const std::size_t last = route.Count() - 1;
  for (std::size_t row = 0; row < route.Count(); ++row) {
    picture.marks.push_back({fit.ToPixel(projection.Project(places[row])), route[row].kind,
                             row == 0 || row == last, row});
  }
  std::vector<LabelRequest> requests;
  requests.reserve(picture.marks.size());
  for (const MapMark& mark : picture.marks)
    requests.push_back({&mark, route[mark.row].id});
  picture.labels = PlaceLabels(requests, size.width, size.height);
  return picture;
}

}  // namespace korvanta
