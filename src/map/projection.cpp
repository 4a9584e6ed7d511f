#include "map/projection.hpp"

#include <cmath>

#include "map/great_circle.hpp"

namespace korvanta {

AzimuthalEquidistant::AzimuthalEquidistant(GeoPoint centre)
    : centre_(centre),
      centre_sine_(std::sin(centre.latitude / kDegreesPerRadian)),
      centre_cosine_(std::cos(centre.latitude / kDegreesPerRadian)) {}

PlanePoint AzimuthalEquidistant::Project(GeoPoint place) const {
  const double latitude = place.latitude / kDegreesPerRadian;
  const double east = (place.longitude - centre_.longitude) / kDegreesPerRadian;
  const double latitude_sine = std::sin(latitude);
  const double latitude_cosine = std::cos(latitude);
  const double east_cosine = std::cos(east);
  // The direction to the place, scaled by the sine of its distance.
  const double x = latitude_cosine * std::sin(east);
  const double y = centre_cosine_ * latitude_sine - centre_sine_ * latitude_cosine * east_cosine;
  const double distance_sine = std::hypot(x, y);
  const double distance_cosine =
      centre_sine_ * latitude_sine + centre_cosine_ * latitude_cosine * east_cosine;
  if (distance_sine < 1e-15)
    return {};  // the centre (or its antipode, which has no direction)
  const double distance = std::fmin(std::atan2(distance_sine, distance_cosine), kTearDistance);
  return {x / distance_sine * distance, y / distance_sine * distance};
}

}  // namespace korvanta
