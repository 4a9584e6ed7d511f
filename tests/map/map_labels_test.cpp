#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "map/labels.hpp"
#include "map/map_builder.hpp"

namespace korvanta {
namespace {

struct Box {
  double left, top, right, bottom;
};

bool Overlap(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

Box LabelBox(const MapLabel& label) {
  return {label.top_left.x, label.top_left.y, label.top_left.x + label.width,
          label.top_left.y + label.height};
}

Box MarkBox(const MapMark& mark) {
  const double radius = mark.end_airport ? kMapEndMarkRadiusPixels : kMapMarkRadiusPixels;
  return {mark.at.x - radius, mark.at.y - radius, mark.at.x + radius, mark.at.y + radius};
}

// A route of 300 points wandering within a few degrees: far more labels
// than fit. Those placed overlap nothing, and the airports keep theirs.
TEST(MapLabels, DenseRouteLabelsOverlapNothing) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> step(-0.3, 0.3);
  constexpr WaypointKind kKinds[] = {WaypointKind::kIntersection, WaypointKind::kNdb,
                                     WaypointKind::kVor, WaypointKind::kAirport};
  WaypointTable route;
  double latitude = 48;
  double longitude = 2;
  for (int index = 0; index < 300; ++index) {
    Waypoint row;
    row.id = "P" + std::to_string(index * 37 % 1000);
    row.kind = index == 0 || index == 299 ? WaypointKind::kAirport : kKinds[index % 4];
    row.position = {static_cast<std::int32_t>(std::lround(latitude * kHundredthsPerDegree)),
                    static_cast<std::int32_t>(std::lround(longitude * kHundredthsPerDegree))};
    route.Append(row);
    latitude += step(random);
    longitude += step(random);
  }
  const MapPicture picture = BuildMapPicture(route, {1000, 700, 20}, {});
  ASSERT_GT(picture.labels.size(), 20u);
  ASSERT_LT(picture.labels.size(), 300u);
  EXPECT_EQ(picture.labels[0].row, 0u);
  EXPECT_EQ(picture.labels[1].row, 299u);
  for (std::size_t index = 0; index < picture.labels.size(); ++index) {
    const Box box = LabelBox(picture.labels[index]);
    EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.right <= 1000 && box.bottom <= 700);
    for (std::size_t other = index + 1; other < picture.labels.size(); ++other)
      EXPECT_FALSE(Overlap(box, LabelBox(picture.labels[other]))) << index << " " << other;
    for (const MapMark& mark : picture.marks)
      EXPECT_FALSE(Overlap(box, MarkBox(mark))) << index << " on mark " << mark.row;
  }
}

// Points on one spot in a picture with room for two labels beside it: the
// most important keep theirs.
TEST(MapLabels, LeastImportantLabelsGoFirst) {
  struct Case {
    std::vector<WaypointKind> kinds;
    std::vector<std::string> kept;
  };
  using enum WaypointKind;
  const Case cases[] = {
      {{kIntersection, kNdb}, {"NDB", "FIX"}},
      {{kIntersection, kNdb, kVor}, {"VOR", "NDB"}},
      {{kIntersection, kNdb, kVor, kAirport}, {"APT", "VOR"}},
  };
  for (const Case& c : cases) {
    std::vector<MapMark> marks;
    for (const WaypointKind kind : c.kinds)
      marks.push_back({{30, 10}, kind, false, marks.size()});
    std::vector<LabelRequest> requests;
    for (const MapMark& mark : marks) {
      const char* const names[] = {"APT", "VOR", "NDB", "FIX"};
      requests.push_back({&mark, names[static_cast<int>(mark.kind)]});
    }
    std::vector<std::string> kept;
    for (const MapLabel& label : PlaceLabels(requests, 60, 20))
      kept.push_back(label.text);
    EXPECT_EQ(kept, c.kept) << c.kinds.size();
  }
}

}  // namespace
}  // namespace korvanta
