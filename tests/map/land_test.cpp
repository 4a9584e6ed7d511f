#include "map/land.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

namespace korvanta {
namespace {

std::size_t PointCount(const LandShapes& land) {
  std::size_t points = 0;
  for (const std::vector<GeoPoint>& ring : land.rings) {
    points += ring.size();
  }
  return points;
}

// Whether the place is land by the even-odd rule over all rings, in the plane
// of longitude and latitude; a ring may run past 180, so the place is tried a
// turn east and west as well.
bool OnLand(const LandShapes& land, GeoPoint place) {
  bool inside = false;
  for (const double turn : {-360.0, 0.0, 360.0}) {
    const double longitude = place.longitude + turn;
    for (const std::vector<GeoPoint>& ring : land.rings) {
      for (std::size_t index = 0; index < ring.size(); ++index) {
        const GeoPoint& from = ring[index];
        const GeoPoint& to = ring[(index + 1) % ring.size()];
        if ((from.latitude > place.latitude) != (to.latitude > place.latitude) &&
            longitude < from.longitude + (place.latitude - from.latitude) /
                                             (to.latitude - from.latitude) *
                                             (to.longitude - from.longitude)) {
          inside = !inside;
        }
      }
    }
  }
  return inside;
}

TEST(BuiltInLand, RingsAndPointsOfEachDetail) {
  const struct {
    LandDetail detail;
    std::size_t rings;
    std::size_t points;
  } cases[] = {{LandDetail::kCoarse, 126, 5000}, {LandDetail::kFine, 1419, 58952}};
  for (const auto& expected : cases) {
    const LandShapes land = BuiltInLand(expected.detail);
    EXPECT_EQ(land.rings.size(), expected.rings);
    EXPECT_EQ(PointCount(land), expected.points);
  }
}

TEST(BuiltInLand, PlacesOnLandAndAtSea) {
  const struct {
    std::string place;
    GeoPoint at;
    bool land;
  } cases[] = {
      {"Paris", {48.86, 2.35}, true},
      {"Sydney", {-33.87, 151.21}, true},
      {"Denver", {39.74, -104.99}, true},
      {"Chukotka, east of the antimeridian", {67.0, -176.0}, true},
      {"Vanua Levu, east of the antimeridian", {-16.49, -179.96}, true},
      {"near the South Pole", {-89.5, 45.0}, true},
      {"mid-Atlantic", {30.0, -40.0}, false},
      {"mid-Pacific", {0.0, -140.0}, false},
      {"Caspian Sea", {42.0, 50.5}, false},
  };
  for (const LandDetail detail : {LandDetail::kCoarse, LandDetail::kFine}) {
    const LandShapes land = BuiltInLand(detail);
    for (const auto& expected : cases) {
      EXPECT_EQ(OnLand(land, expected.at), expected.land)
          << expected.place << ", detail " << static_cast<int>(detail);
    }
  }
}

// A projection draws each edge as the short way between its points: no edge
// may jump across the map, save along a pole, where both ends are one point.
TEST(BuiltInLand, EveryEdgeIsShortOrAtAPole) {
  for (const LandDetail detail : {LandDetail::kCoarse, LandDetail::kFine}) {
    for (const std::vector<GeoPoint>& ring : BuiltInLand(detail).rings) {
      ASSERT_GE(ring.size(), 3u);
      for (std::size_t index = 0; index < ring.size(); ++index) {
        const GeoPoint& from = ring[index];
        const GeoPoint& to = ring[(index + 1) % ring.size()];
        const bool at_pole = std::abs(from.latitude) == 90 && to.latitude == from.latitude;
        EXPECT_TRUE(std::abs(to.longitude - from.longitude) < 180 || at_pole)
            << "ring from " << ring.front().latitude << " " << ring.front().longitude << ", point "
            << index;
      }
    }
  }
}

TEST(BuiltInLand, DecodesTheSameRingsEachTime) {
  for (const LandDetail detail : {LandDetail::kCoarse, LandDetail::kFine}) {
    const LandShapes first = BuiltInLand(detail);
    const LandShapes second = BuiltInLand(detail);
    ASSERT_EQ(first.rings.size(), second.rings.size());
    for (std::size_t ring = 0; ring < first.rings.size(); ++ring) {
      ASSERT_EQ(first.rings[ring].size(), second.rings[ring].size());
      for (std::size_t point = 0; point < first.rings[ring].size(); ++point) {
        EXPECT_EQ(first.rings[ring][point].latitude, second.rings[ring][point].latitude);
        EXPECT_EQ(first.rings[ring][point].longitude, second.rings[ring][point].longitude);
      }
    }
  }
}

}  // namespace
}  // namespace korvanta
