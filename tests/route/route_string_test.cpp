// The route as a pilot files it, from the waypoint table of any source.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "readers/route_text_parser.hpp"
#include "route/route_string.hpp"
#include "test_support.hpp"
#include "text/cp1252.hpp"
#include "text/lines.hpp"

namespace korvanta {
namespace {

constexpr std::int32_t kDegree = kHundredthsPerDegree;
constexpr std::int32_t kMinute = kHundredthsPerMinute;

Waypoint Point(std::string id, std::string airway = "", Position position = {}) {
  Waypoint point;
  point.id = std::move(id);
  point.route = std::move(airway);
  point.position = position;
  return point;
}

Waypoint FromPosition(Position position) {
  Waypoint point = Point("", "", position);
  point.named_from_position = true;
  return point;
}

TEST(RouteString, FiledAsAPilotWritesIt) {
  const struct {
    const char* name;
    std::vector<Waypoint> rows;
    std::string expected;
  } cases[] = {
      {"no route", {}, ""},
      {"airports only", {Point("EAAA"), Point("EBBB")}, "EAAA EBBB"},
      {"procedure legs stay unnamed",
       {Point("EAAA", "UL1"), Point("TOBAK", "UL2"), Point("EBBB")},
       "EAAA TOBAK EBBB"},
      {"an airway ends where the route leaves it",
       {Point("EAAA"), Point("A", "UL1"), Point("B", "UL1"), Point("C", "UL1"), Point("D", "UN2"),
        Point("E"), Point("F", "UN2"), Point("G"), Point("EBBB")},
       "EAAA A UL1 D UN2 E DCT F UN2 G EBBB"},
      {"a track's points one by one",
       {Point("EGLL"), Point("MALOT", "NATB"),
        Point("54N020W", "NATB", {54 * kDegree, -20 * kDegree}), Point("CARPE", "NAT"),
        Point("ACK", "NATAB"), Point("DOVEY"), Point("KJFK")},
       "EGLL MALOT DCT 54N020W DCT CARPE NAT ACK NATAB DOVEY KJFK"},
      {"points named within the route only, by their rounded position",
       {Point("WP01", "", {47 * kDegree, -(122 * kDegree + 18 * kMinute)}),
        FromPosition({46 * kDegree + 29 * kMinute + 5970, -(122 * kDegree + 35 * kMinute + 3000)}),
        Point("WP03", "J1", {-(33 * kDegree + 56 * kMinute + 2990), 151 * kDegree + 10 * kMinute}),
        Point("WPT", "J1"), FromPosition({-29 * kHundredthsPerSecond, 45 * kMinute}),
        Point("YSSY")},
       "4700N12218W 4630N12236W DCT 3356S15110E J1 0000N00045E YSSY"},
      {"names that read as another place, by their position; those of their place kept",
       {Point("EAAA"), Point("5106E", "", {50 * kDegree + 30 * kMinute, 6 * kDegree}),
        Point("5006E", "", {50 * kDegree, 6 * kDegree}), Point("46N078W", "", {46 * kDegree, 0}),
        Point("50N20", "", {50 * kDegree, -120 * kDegree}), Point("EBBB")},
       "EAAA 5030N00600E DCT 5006E DCT 4600N00000E DCT 50N20 EBBB"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RouteString(test::Table(c.rows)), c.expected) << c.name;
}

TEST(RouteString, BundledRoutes) {
  const std::pair<const char*, const char*> cases[] = {
      {"example_route.txt", "EAAA TOBAK UL602 RUDOL DCT KOMAR EBBB"},
      {"nav_route.txt", "EAAA TOBAK UL602 KOMAR DCT ABCDE EBBB"},
      {"nat_route.txt",
       "EGLL CPT UL9 STU DCT MALOT DCT 54N020W DCT 55N030W DCT 55N040W DCT 54N050W DCT CARPE DCT "
       "ACK KJFK"},
      {"route_south_west.txt", "KSEA SEA J1 GIPOL DCT BOBOX UN866 KARLO DCT SYD YSSY"},
  };
  for (const auto& [file, expected] : cases) {
    RouteHeader header;
    WaypointTable waypoints;
    ASSERT_EQ(ParseRoute(SplitLines(InputToUtf8(test::ReadFile(test::DataDir() / file))), {},
                         AirportDatabase(), waypoints, header),
              ParseResult::kParsed)
        << file;
    EXPECT_EQ(RouteString(waypoints), expected) << file;
  }
}

}  // namespace
}  // namespace korvanta
