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

// The route's legs as great-circle arcs, and the box of the plane they take.
struct ProjectedRoute {
  std::vector<std::vector<GeoPoint>> legs;
  PlaneBox box;  // starts at the centre, which lies on the route
};

ProjectedRoute RouteLegs(const std::vector<GeoPoint>& places,
                         const AzimuthalEquidistant& projection) {
  ProjectedRoute route;
  route.box.Include(projection.Project(places.front()));
  for (std::size_t index = 1; index < places.size(); ++index) {
    route.legs.push_back(
        DensifiedLeg(places[index - 1], places[index], kLegStepDegrees, kLeastLegSegments));
    for (const GeoPoint place : route.legs.back())
      route.box.Include(projection.Project(place));
  }
  return route;
}

std::vector<std::vector<MapPixel>> Graticule(const AzimuthalEquidistant& projection,
                                             const ViewportFit& fit, const MapSize& size,
                                             const PixelRectangle& frame) {
  const double view_degrees =
      std::max(size.width, size.height) * fit.RadiansPerPixel() * kDegreesPerRadian;
  std::vector<std::vector<MapPixel>> pieces;
  for (const std::vector<GeoPoint>& line :
       GraticuleLines(GraticuleSpacing(view_degrees), projection.Centre(), ViewRadius(fit, size))) {
    for (std::vector<MapPixel>& piece : ClipLine(ToPixels(line, projection, fit), frame))
      pieces.push_back(std::move(piece));
  }
  return pieces;
}

// Every point's mark, the departure and the destination apart, and the
// labels that fit beside them.
void MarkPoints(const WaypointTable& route, const std::vector<GeoPoint>& places,
                const AzimuthalEquidistant& projection, const ViewportFit& fit,
                MapPicture& picture) {
  const std::size_t last = route.Count() - 1;
  for (std::size_t row = 0; row < route.Count(); ++row) {
    picture.marks.push_back({fit.ToPixel(projection.Project(places[row])), route[row].kind,
                             row == 0 || row == last, row});
  }
  std::vector<LabelRequest> requests;
  requests.reserve(picture.marks.size());
  for (const MapMark& mark : picture.marks)
    requests.push_back({&mark, route[mark.row].id});
  picture.labels = PlaceLabels(requests, picture.width, picture.height);
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

  const ProjectedRoute projected = RouteLegs(places, projection);
  const ViewportFit fit(projected.box, size);
  const PixelRectangle frame{0, 0, size.width, size.height};

  const double route_span =
      std::max(projected.box.Width(), projected.box.Height()) * kNauticalMilesPerRadian;
  const LandShapes& shapes = route_span > kFineLandSpanNauticalMiles ? land.coarse : land.fine;
  picture.land = ProjectedLand(shapes, projection, fit, frame);
  picture.graticule = Graticule(projection, fit, size, frame);
  for (const std::vector<GeoPoint>& leg : projected.legs)
    picture.legs.push_back(ToPixels(leg, projection, fit));
  MarkPoints(route, places, projection, fit, picture);
  return picture;
}

}  // namespace korvanta
