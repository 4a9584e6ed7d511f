// The map's geometry against known values: great-circle legs, the
// projection, the route's fit in the picture, and clipping to the picture.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "map/clipping.hpp"
#include "map/great_circle.hpp"
#include "map/map_builder.hpp"
#include "map/projection.hpp"

namespace korvanta {
namespace {

constexpr double kQuarter = std::numbers::pi / 2;
constexpr double kTolerance = 1e-9;

void ExpectPlace(GeoPoint actual, GeoPoint expected, const std::string& name) {
  EXPECT_NEAR(actual.latitude, expected.latitude, 1e-7) << name;
  // -180 and 180 are one meridian.
  EXPECT_NEAR(std::remainder(actual.longitude - expected.longitude, 360.0), 0, 1e-7) << name;
}

TEST(MapGreatCircle, LegsFollowTheGreatCircle) {
  struct Case {
    std::string name;
    GeoPoint from;
    GeoPoint to;
    double arc_degrees;
    std::size_t places;  // at 1 degree apart, at least four pieces
    GeoPoint middle;
  };
  const double hop = 50.0 / 60 / std::cos(50 / kDegreesPerRadian);  // 50 nm east at 50N
  const Case cases[] = {
      {"quarter meridian", {0, 0}, {90, 0}, 90, 91, {45, 0}},
      {"across the antimeridian", {0, 170}, {0, -170}, 20, 21, {0, 180}},
      {"over the pole", {80, 0}, {80, 180}, 20, 21, {90, 0}},
      {"fifty-mile hop", {50, 8}, {50, 8 + hop}, 0.83332, 5, {50.0018, 8 + hop / 2}},
  };
  for (const Case& c : cases) {
    const double arc = ArcBetween(c.from, c.to);
    EXPECT_NEAR(arc * kDegreesPerRadian, c.arc_degrees, 1e-5) << c.name;
    const std::vector<GeoPoint> leg = DensifiedLeg(c.from, c.to, 1, 4);
    ASSERT_EQ(leg.size(), c.places) << c.name;
    ExpectPlace(leg.front(), c.from, c.name);
    ExpectPlace(leg.back(), c.to, c.name);
    const GeoPoint middle = PointAlongArc(c.from, c.to, 0.5);
    EXPECT_NEAR(middle.latitude, c.middle.latitude, 1e-4) << c.name;
    if (std::abs(c.middle.latitude) < 90) {
      EXPECT_NEAR(std::remainder(middle.longitude - c.middle.longitude, 360.0), 0, 1e-4) << c.name;
    }
    // Every step is the same arc: no place jumps the long way round.
    for (std::size_t index = 1; index < leg.size(); ++index) {
      EXPECT_NEAR(ArcBetween(leg[index - 1], leg[index]), arc / static_cast<double>(leg.size() - 1),
                  kTolerance)
          << c.name;
    }
  }
  const std::vector<GeoPoint> path = {{0, 0}, {0, 10}, {0, 30}};
  ExpectPlace(PathMidpoint(path), {0, 15}, "path midpoint");
  ExpectPlace(PathMidpoint(std::vector<GeoPoint>{{5, 5}, {5, 5}}), {5, 5}, "path of no length");
}

TEST(MapProjection, PlacesLieAtTheirDistanceAndDirection) {
  struct Case {
    GeoPoint centre;
    GeoPoint place;
    PlanePoint expected;
  };
  const double ten_degrees = 10 / kDegreesPerRadian;
  const Case cases[] = {
      {{0, 0}, {0, 0}, {0, 0}},
      {{0, 0}, {0, 90}, {kQuarter, 0}},
      {{0, 0}, {90, 0}, {0, kQuarter}},
      {{0, 0}, {0, -90}, {-kQuarter, 0}},
      {{90, 0}, {0, 0}, {0, -kQuarter}},  // from the pole every way is south
      {{90, 0}, {0, 90}, {kQuarter, 0}},
      {{0, 180}, {0, -170}, {ten_degrees, 0}},  // across the antimeridian: east
      {{0, 180}, {0, 170}, {-ten_degrees, 0}},
      {{0, 0}, {0, 179}, {kTearDistance, 0}},  // near the antipode: on the tear circle
  };
  for (const Case& c : cases) {
    const PlanePoint point = AzimuthalEquidistant(c.centre).Project(c.place);
    EXPECT_NEAR(point.x, c.expected.x, kTolerance) << c.place.latitude << " " << c.place.longitude;
    EXPECT_NEAR(point.y, c.expected.y, kTolerance) << c.place.latitude << " " << c.place.longitude;
  }
}

Waypoint At(double latitude, double longitude, WaypointKind kind = WaypointKind::kIntersection) {
  Waypoint row;
  row.id = "P";
  row.kind = kind;
  row.position = {static_cast<std::int32_t>(std::lround(latitude * kHundredthsPerDegree)),
                  static_cast<std::int32_t>(std::lround(longitude * kHundredthsPerDegree))};
  return row;
}

// Every route fits inside the margin, touching it on two opposite sides,
// and is drawn in one piece: no step of a leg jumps across the picture.
TEST(MapFit, RoutesFitInsideTheMarginInOnePiece) {
  struct Case {
    std::string name;
    std::vector<Waypoint> rows;
  };
  const Case cases[] = {
      {"fifty-mile hop", {At(50, 8), At(50, 9.3)}},
      {"London to Sydney", {At(51.47, -0.46), At(1.36, 103.99), At(-33.95, 151.18)}},
      {"across the antimeridian", {At(-37, 174.8), At(-17.8, 178.6), At(21.3, -157.9)}},
      {"over the pole", {At(60, 10), At(85, 0), At(89, 90), At(70, -150)}},
  };
  const MapSize size{1000, 700, 20};
  for (const Case& c : cases) {
    WaypointTable route;
    for (const Waypoint& row : c.rows)
      route.Append(row);
    const MapPicture picture = BuildMapPicture(route, size, {});
    double left = size.width;
    double right = 0;
    double top = size.height;
    double bottom = 0;
    for (const std::vector<MapPixel>& leg : picture.legs) {
      for (std::size_t index = 0; index < leg.size(); ++index) {
        left = std::min(left, leg[index].x);
        right = std::max(right, leg[index].x);
        top = std::min(top, leg[index].y);
        bottom = std::max(bottom, leg[index].y);
        if (index > 0) {
          EXPECT_LT(std::hypot(leg[index].x - leg[index - 1].x, leg[index].y - leg[index - 1].y),
                    size.width / 4)
              << c.name;
        }
      }
    }
    EXPECT_GE(left, size.margin - kTolerance) << c.name;
    EXPECT_LE(right, size.width - size.margin + kTolerance) << c.name;
    EXPECT_GE(top, size.margin - kTolerance) << c.name;
    EXPECT_LE(bottom, size.height - size.margin + kTolerance) << c.name;
    const bool fills_width = std::abs(right - left - (size.width - 2 * size.margin)) < 1e-6;
    const bool fills_height = std::abs(bottom - top - (size.height - 2 * size.margin)) < 1e-6;
    EXPECT_TRUE(fills_width || fills_height) << c.name;
    ASSERT_EQ(picture.marks.size(), c.rows.size()) << c.name;
    EXPECT_TRUE(picture.marks.front().end_airport && picture.marks.back().end_airport) << c.name;
    EXPECT_FALSE(picture.marks[1].end_airport && picture.marks.size() > 2) << c.name;
  }
}

// Whether the land covers a pixel: the rings filled by the even-odd rule.
bool LandAt(const MapPicture& picture, MapPixel pixel) {
  bool inside = false;
  for (const std::vector<MapPixel>& ring : picture.land) {
    for (std::size_t index = 0; index < ring.size(); ++index) {
      const MapPixel a = ring[index];
      const MapPixel b = ring[(index + 1) % ring.size()];
      if ((a.y > pixel.y) != (b.y > pixel.y) &&
          pixel.x < a.x + (pixel.y - a.y) * (b.x - a.x) / (b.y - a.y))
        inside = !inside;
    }
  }
  return inside;
}

// An island of 30 degrees' radius about a place: the places that far from
// it in every tenth degree of direction.
std::vector<GeoPoint> Island(GeoPoint centre) {
  const double radius = 30 / kDegreesPerRadian;
  const double latitude = centre.latitude / kDegreesPerRadian;
  std::vector<GeoPoint> ring;
  for (int direction = 0; direction < 360; direction += 10) {
    const double course = direction / kDegreesPerRadian;
    const double to_latitude = std::asin(std::sin(latitude) * std::cos(radius) +
                                         std::cos(latitude) * std::sin(radius) * std::cos(course));
    const double east = std::atan2(std::sin(course) * std::sin(radius) * std::cos(latitude),
                                   std::cos(radius) - std::sin(latitude) * std::sin(to_latitude));
    ring.push_back({to_latitude * kDegreesPerRadian, centre.longitude + east * kDegreesPerRadian});
  }
  return ring;
}

// Land seen from a route over it, from the far side of the globe, and from
// beside it: a ring round the antipode leaves the view's middle water.
TEST(MapLand, RingsFillTheirOwnSide) {
  struct Case {
    std::string name;
    GeoPoint island;
    bool land_in_middle;
  };
  const Case cases[] = {
      {"under the route", {20, 10}, true},
      {"round the antipode", {-20, -170}, false},
      {"beside the view", {20, 110}, false},
  };
  WaypointTable route;
  route.Append(At(20, 9));
  route.Append(At(20, 11));
  for (const Case& c : cases) {
    const MapLand land{{}, {{Island(c.island)}}};
    const MapPicture picture = BuildMapPicture(route, {400, 300, 20}, land);
    EXPECT_EQ(LandAt(picture, {200, 150}), c.land_in_middle) << c.name;
    EXPECT_EQ(LandAt(picture, {1, 1}), c.land_in_middle) << c.name;
  }
  // A short route is drawn over the fine land, a long one over the coarse.
  const MapLand coarse_only{{{Island({20, 10})}}, {}};
  EXPECT_FALSE(LandAt(BuildMapPicture(route, {400, 300, 20}, coarse_only), {200, 150}));
  route.Append(At(20, 40));
  EXPECT_TRUE(LandAt(BuildMapPicture(route, {400, 300, 20}, coarse_only), {200, 150}));
}

double Area(const std::vector<MapPixel>& ring) {
  double twice = 0;
  for (std::size_t index = 0; index < ring.size(); ++index) {
    const MapPixel a = ring[index];
    const MapPixel b = ring[(index + 1) % ring.size()];
    twice += a.x * b.y - b.x * a.y;
  }
  return std::abs(twice) / 2;
}

TEST(MapClipping, RingsAndLinesKeepWhatLiesInside) {
  const PixelRectangle frame{0, 0, 100, 50};
  struct RingCase {
    std::string name;
    std::vector<MapPixel> ring;
    double area;
  };
  const RingCase rings[] = {
      {"round the picture", {{-10, -10}, {200, -10}, {200, 90}, {-10, 90}}, 5000},
      {"beside it", {{120, 0}, {150, 0}, {150, 40}}, 0},
      {"across the right side", {{90, 10}, {110, 10}, {110, 20}, {90, 20}}, 100},
      {"a corner", {{-10, -10}, {30, -10}, {-10, 30}}, 200},
  };
  for (const RingCase& c : rings)
    EXPECT_NEAR(Area(ClipRing(c.ring, frame)), c.area, kTolerance) << c.name;

  // A line out and back in is two pieces, ending on the frame.
  const auto pieces = ClipLine({{50, 25}, {150, 25}, {150, 40}, {50, 40}, {-50, 40}}, frame);
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[0].size(), 2u);
  EXPECT_DOUBLE_EQ(pieces[0].back().x, 100);
  EXPECT_DOUBLE_EQ(pieces[1].front().x, 100);
  EXPECT_DOUBLE_EQ(pieces[1].back().x, 0);
  EXPECT_TRUE(ClipLine({{-5, -5}, {-5, 80}}, frame).empty());
}

}  // namespace
}  // namespace korvanta
