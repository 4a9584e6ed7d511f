#include "map/great_circle.hpp"

#include <algorithm>
#include <cmath>

namespace korvanta {

namespace {

struct UnitVector {
  double x = 0;
  double y = 0;
  double z = 0;
};

UnitVector ToVector(GeoPoint place) {
  const double latitude = place.latitude / kDegreesPerRadian;
  const double longitude = place.longitude / kDegreesPerRadian;
  return {std::cos(latitude) * std::cos(longitude), std::cos(latitude) * std::sin(longitude),
          std::sin(latitude)};
}

GeoPoint ToPlace(UnitVector vector) {
  return {std::atan2(vector.z, std::hypot(vector.x, vector.y)) * kDegreesPerRadian,
          std::atan2(vector.y, vector.x) * kDegreesPerRadian};
}

}  // namespace

double ArcBetween(GeoPoint from, GeoPoint to) {
  const UnitVector a = ToVector(from);
  const UnitVector b = ToVector(to);
  // atan2 of the cross and dot products stays exact for short and for
  // nearly opposite arcs, where acos of the dot product alone loses digits.
  const double cross =
      std::hypot(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
  const double dot = a.x * b.x + a.y * b.y + a.z * b.z;
  return std::atan2(cross, dot);
}

GeoPoint PointAlongArc(GeoPoint from, GeoPoint to, double fraction) {
  const double arc = ArcBetween(from, to);
  const double sine = std::sin(arc);
  // Two places at one spot, or opposite each other, span no single great
  // circle: the leg stays at its start until its end.
  if (sine < 1e-12)
    return fraction < 1 ? from : to;
  const UnitVector a = ToVector(from);
  const UnitVector b = ToVector(to);
  const double weight_from = std::sin((1 - fraction) * arc) / sine;
  const double weight_to = std::sin(fraction * arc) / sine;
  return ToPlace({weight_from * a.x + weight_to * b.x, weight_from * a.y + weight_to * b.y,
                  weight_from * a.z + weight_to * b.z});
}

std::vector<GeoPoint> DensifiedLeg(GeoPoint from, GeoPoint to, double step_degrees,
                                   int least_segments) {
  const double arc_degrees = ArcBetween(from, to) * kDegreesPerRadian;
  // The slack keeps an arc of whole steps, measured a hair long, from
  // taking one piece more.
  const int segments =
      std::max(least_segments, static_cast<int>(std::ceil(arc_degrees / step_degrees - 1e-9)));
  std::vector<GeoPoint> line;
  line.reserve(static_cast<std::size_t>(segments) + 1);
  line.push_back(from);
  for (int segment = 1; segment < segments; ++segment)
    line.push_back(PointAlongArc(from, to, static_cast<double>(segment) / segments));
  line.push_back(to);
  return line;
}

GeoPoint PathMidpoint(std::span<const GeoPoint> points) {
  if (points.empty())
    return {};
  double length = 0;
  for (std::size_t index = 1; index < points.size(); ++index)
    length += ArcBetween(points[index - 1], points[index]);
  double remaining = length / 2;
  for (std::size_t index = 1; index < points.size(); ++index) {
    const double leg = ArcBetween(points[index - 1], points[index]);
    if (leg > 0 && remaining <= leg)
      return PointAlongArc(points[index - 1], points[index], remaining / leg);
    remaining -= leg;
  }
  return points.front();
}

}  // namespace korvanta
