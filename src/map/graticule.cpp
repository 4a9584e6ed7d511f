#include "map/graticule.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "map/great_circle.hpp"

namespace korvanta {

namespace {

constexpr std::array<double, 6> kSpacings = {1, 2, 5, 10, 15, 30};
constexpr double kMostLinesAcross = 8;

// The longitudes and latitudes that the cap reaches.
struct GeoRange {
  double west = -180;
  double east = 180;
  double south = -90;
  double north = 90;
  bool all_longitudes = true;
};

GeoRange RangeOfCap(GeoPoint centre, double radius_radians) {
  const double radius_degrees = radius_radians * kDegreesPerRadian;
  GeoRange range;
  range.south = std::max(-90.0, centre.latitude - radius_degrees);
  range.north = std::min(90.0, centre.latitude + radius_degrees);
  const double centre_cosine = std::cos(centre.latitude / kDegreesPerRadian);
  // A cap round a pole, or wider than a hemisphere, reaches every longitude.
  if (range.south <= -90 || range.north >= 90 || radius_degrees >= 90)
    return range;
  const double ratio = std::sin(radius_radians) / centre_cosine;
  if (ratio >= 1)
    return range;
  const double half_width = std::asin(ratio) * kDegreesPerRadian;
  range.all_longitudes = false;
  range.west = centre.longitude - half_width;
  range.east = centre.longitude + half_width;
  return range;
}

// A longitude written as one between -180 (exclusive) and 180.
double Wrapped(double longitude) {
  const double wrapped = std::remainder(longitude, 360.0);
  return wrapped == -180 ? 180 : wrapped;
}

}  // namespace

double GraticuleSpacing(double view_degrees) {
  for (const double spacing : kSpacings) {
    if (view_degrees / spacing <= kMostLinesAcross)
      return spacing;
  }
  return kSpacings.back();
}

std::vector<std::vector<GeoPoint>> GraticuleLines(double spacing_degrees, GeoPoint centre,
                                                  double radius_radians) {
  const GeoRange range = RangeOfCap(centre, radius_radians);
  const double step = std::min(1.0, spacing_degrees / 4);
  std::vector<std::vector<GeoPoint>> lines;

  const double first_meridian = std::ceil(range.west / spacing_degrees) * spacing_degrees;
  // Round the globe, -180 and 180 are one meridian, drawn once.
  const double last_meridian = range.all_longitudes ? 180 - spacing_degrees / 2 : range.east;
  for (double meridian = first_meridian; meridian <= last_meridian; meridian += spacing_degrees) {
    std::vector<GeoPoint> line;
    for (double latitude = range.south; latitude < range.north; latitude += step)
      line.push_back({latitude, Wrapped(meridian)});
    line.push_back({range.north, Wrapped(meridian)});
    lines.push_back(std::move(line));
  }

  const double first_parallel = std::ceil(range.south / spacing_degrees) * spacing_degrees;
  for (double parallel = first_parallel; parallel <= range.north; parallel += spacing_degrees) {
    if (std::abs(parallel) >= 90)
      continue;  // a pole is a point, not a line
    std::vector<GeoPoint> line;
    for (double longitude = range.west; longitude < range.east; longitude += step)
      line.push_back({parallel, Wrapped(longitude)});
    line.push_back({parallel, Wrapped(range.east)});
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace korvanta
