// The navigation index: which of several points a name gives, how airway
// listings find the points that the fixes and navaids files give, and the
// points an airway passes between two of them.

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "navdata/navigation_data.hpp"

namespace korvanta {
namespace {

Position Degrees(double latitude, double longitude) {
  return {static_cast<std::int32_t>(latitude * kHundredthsPerDegree),
          static_cast<std::int32_t>(longitude * kHundredthsPerDegree)};
}

// A point as "ID kind latitude longitude", the place in whole degrees.
std::string Shown(const NavigationData& data, std::optional<PointIndex> index) {
  if (!index)
    return "none";
  const NavigationPoint& point = data.Point(*index);
  return fmt::format("{} {} {} {}", point.Id(), KindLetter(point.kind),
                     point.position.latitude / kHundredthsPerDegree,
                     point.position.longitude / kHundredthsPerDegree);
}

std::string Ids(const NavigationData& data, const std::optional<std::vector<PointIndex>>& path) {
  if (!path)
    return "none";
  std::string ids;
  for (const PointIndex index : *path)
    ids += std::string(ids.empty() ? "" : " ") + std::string(data.Point(index).Id());
  return ids;
}

TEST(NavigationData, NearestOfSeveral) {
  NavigationData data;
  data.AddPoint("KOVAN", "EG", WaypointKind::kIntersection, Degrees(51, 0));
  data.AddPoint("KOVAN", "ZB", WaypointKind::kIntersection, Degrees(40, 116));
  data.AddPoint("KOVAN", "", WaypointKind::kIntersection, Degrees(-33, 151));
  data.AddPoint("TOL", "", WaypointKind::kVor, Degrees(45, 179));
  data.AddPoint("TOL", "", WaypointKind::kNdb, Degrees(45, -179));
  data.AddPoint("LONGNAME", "", WaypointKind::kIntersection, Degrees(1, 1));
  data.AddPoint(std::string_view("NUL\0X", 5), "", WaypointKind::kIntersection, Degrees(2, 2));
  data.Finish();
  struct Case {
    const char* id;
    Position near;
    const char* region;
    const char* expected;
  };
  const Case cases[] = {
      {"KOVAN", Degrees(48, 2), "", "KOVAN I 51 0"},
      {"KOVAN", Degrees(35, 120), "", "KOVAN I 40 116"},
      {"KOVAN", Degrees(48, 2), "ZB", "KOVAN I 40 116"},
      {"KOVAN", Degrees(48, 2), "LF", "none"},
      {"TOL", Degrees(46, -178), "", "TOL N 45 -179"},  // across the antimeridian
      {"TOL", Degrees(46, 170), "", "TOL V 45 179"},
      {"kovan", Degrees(48, 2), "", "none"},
      {"LONGNAM", Degrees(1, 1), "", "LONGNAM I 1 1"},  // cut to seven characters
      {"LONGNAME", Degrees(1, 1), "", "none"},
      {"NUL", Degrees(1, 1), "", "NUL I 2 2"},  // a NUL ends an identifier
  };
  for (const Case& c : cases)
    EXPECT_EQ(Shown(data, data.Nearest(c.id, c.near, c.region)), c.expected) << c.id;
}

TEST(NavigationData, AirwayListingFindsThePointItNames) {
  NavigationData data;
  const PointIndex fix = data.AddPoint("BPK", "", WaypointKind::kIntersection, Degrees(51, 0));
  const PointIndex vor = data.AddPoint("BPK", "", WaypointKind::kVor, Degrees(51, 0), 11710);
  const PointIndex other = data.AddPoint("DIKAS", "", WaypointKind::kIntersection, Degrees(50, 1));
  const Position rounded{Degrees(51, 0).latitude + 500, Degrees(51, 0).longitude - 500};
  // The navaid, not the fix listed at its place; rounding of the listing
  // does not matter, and before and after the index is sorted alike.
  EXPECT_EQ(data.PointAt("BPK", rounded), vor);
  EXPECT_EQ(data.PointAt("DIKAS", Degrees(50, 1)), other);
  const PointIndex added = data.PointAt("BPK", Degrees(52, 0));
  EXPECT_NE(added, fix);
  EXPECT_EQ(data.PointAt("BPK", Degrees(52, 0)), added);
  EXPECT_EQ(data.PointAt("NEWPT", Degrees(10, 10)), data.PointAt("NEWPT", Degrees(10, 10)));
  data.Finish();
  EXPECT_EQ(data.PointAt("BPK", rounded), vor);
  EXPECT_EQ(data.PointAt("BPK", Degrees(52, 0)), added);
  EXPECT_EQ(data.Named("BPK").size(), 3u);
  EXPECT_EQ(data.PointCount(), 5u);
  EXPECT_EQ(Shown(data, data.PointAt("BPK", Degrees(51, 1))), "BPK I 51 1");
}

TEST(NavigationData, AlongAirway) {
  NavigationData data;
  std::vector<PointIndex> line;
  for (const char* id : {"ALPHA", "BRAVO", "CHARL", "DELTA", "ECHO"})
    line.push_back(data.AddPoint(id, "", WaypointKind::kIntersection,
                                 Degrees(50, static_cast<double>(line.size()))));
  for (std::size_t leg = 0; leg + 1 < line.size(); ++leg)
    data.AddAirwayLeg("UL9", line[leg], line[leg + 1]);
  // Another airway of the same name far away, holding another ECHO, and one
  // that crosses at CHARL.
  const PointIndex far_golf =
      data.AddPoint("GOLF", "", WaypointKind::kIntersection, Degrees(-30, 0));
  const PointIndex far_echo =
      data.AddPoint("ECHO", "", WaypointKind::kIntersection, Degrees(-31, 0));
  data.AddAirwayLeg("UL9", far_golf, far_echo);
  const PointIndex xray = data.AddPoint("XRAY", "", WaypointKind::kVor, Degrees(52, 2));
  data.AddAirwayLeg("Q41", xray, line[2]);
  data.Finish();
  struct Case {
    const char* airway;
    PointIndex from;
    const char* to_id;
    const char* expected;
  };
  const Case cases[] = {
      {"UL9", line[0], "DELTA", "BRAVO CHARL DELTA"},
      {"UL9", line[4], "BRAVO", "DELTA CHARL BRAVO"},
      {"UL9", line[1], "ECHO", "CHARL DELTA ECHO"},
      {"UL9", far_golf, "ECHO", "ECHO"},
      {"UL9", far_golf, "ALPHA", "none"},
      {"UL9", line[0], "XRAY", "none"},
      {"UL9", line[0], "ALPHA", "none"},
      {"UL9", xray, "ALPHA", "none"},
      {"Q41", xray, "CHARL", "CHARL"},
      {"Q41", line[2], "XRAY", "XRAY"},
      {"Q42", line[0], "BRAVO", "none"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Ids(data, data.AlongAirway(c.airway, c.from, c.to_id)), c.expected)
        << c.airway << " to " << c.to_id;
  }
  EXPECT_TRUE(data.OnAirway("Q41", line[2]));
  EXPECT_FALSE(data.OnAirway("Q41", line[1]));
  EXPECT_FALSE(data.HasAirway("Q4"));
  EXPECT_EQ(data.AirwayCount(), 2u);
  EXPECT_EQ(data.AirwayLegCount(), 6u);
  EXPECT_EQ(data.CountOf(WaypointKind::kVor), 1u);
}

TEST(NavigationData, FrequencyText) {
  const std::pair<NavigationPoint, const char*> cases[] = {
      {{{}, {}, WaypointKind::kVor, {}, 11430}, "114.30"},
      {{{}, {}, WaypointKind::kVor, {}, 10805}, "108.05"},
      {{{}, {}, WaypointKind::kNdb, {}, 3385}, "338.5"},
      {{{}, {}, WaypointKind::kNdb, {}, 3850}, "385"},
      {{{}, {}, WaypointKind::kIntersection, {}, 0}, "0"},
  };
  for (const auto& [point, expected] : cases)
    EXPECT_EQ(point.FrequencyText(), expected);
}

}  // namespace
}  // namespace korvanta
