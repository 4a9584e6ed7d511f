#include "map/map_builder.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "map/clipping.hpp"
#include "map/graticule.hpp"
#include "map/great_circle.hpp"
#include "map/labels.hpp"
#include "map/land_rings.hpp"
#include "map/projection.hpp"
#include "map/viewport_fit.hpp"

namespace korvanta {

namespace {

// A leg is drawn straight between places at most this far apart, and in at
// least this many pieces: a long leg curves as on a globe.
constexpr double kLegStepDegrees = 1;
constexpr int kLeastLegSegments = 4;

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
  picture.land = ProjectedLand(shapes, projection, fit, frame);

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
