#include "writers/maddog.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.hpp"

namespace korvanta {
namespace {

std::string Dms(const std::string& text) {
  return test::WithDegreeSign(text, '@');
}

struct Fix {
  std::string id;
  std::string route;
};

// EGLL to KJFK through the fixes; every fix sits at 51 29 15 N, 0 28 W, so
// each leg line ends in 51.487500 -0.466667.
std::string Written(const std::vector<Fix>& fixes) {
  RouteHeader h;
  h.departure_icao = "EGLL";
  h.destination_icao = "KJFK";
  WaypointTable waypoints;
  waypoints.Append(test::Positioned({"EGLL", Dms("N51@28'39.00\""), Dms("W000@27'41.00\""), 83,
                                     "UL9", WaypointKind::kAirport, "0", "0"}));
  for (const Fix& f : fixes) {
    waypoints.Append(test::Positioned({f.id, Dms("N51@29'15.00\""), Dms("W000@28'00.00\""), 0,
                                       f.route, WaypointKind::kIntersection, "0", "0"}));
  }
  waypoints.Append(test::Positioned({"KJFK", Dms("N40@38'23.00\""), Dms("W073@46'44.00\""), 13, "",
                                     WaypointKind::kAirport, "0", "0"}));
  return WriteMadDogRoute(h, waypoints);
}

std::string Leg(const std::string& via, const std::string& id) {
  return via + " " + id + " 51.487500 -0.466667";
}

TEST(MadDogRoute, FixesAlongOneAirwayAreDropped) {
  struct Case {
    const char* name;
    std::vector<Fix> fixes;
    std::vector<std::string> legs;
  };
  const std::vector<Case> cases = {
      {"airports only", {}, {}},
      {"joined at B, left at E",
       {{"A", ""}, {"B", "UL9"}, {"C", "UL9"}, {"D", "UL9"}, {"E", ""}},
       {Leg("DIRECT", "A"), Leg("DIRECT", "B"), Leg("UL9", "E")}},
      {"two airways in a row",
       {{"B", "UL9"}, {"C", "UN57"}, {"D", ""}},
       {Leg("DIRECT", "B"), Leg("UL9", "C"), Leg("UN57", "D")}},
      {"direct legs are all written",
       {{"A", ""}, {"B", ""}, {"C", ""}},
       {Leg("DIRECT", "A"), Leg("DIRECT", "B"), Leg("DIRECT", "C")}},
      {"last fix on the same airway",
       {{"A", "UL9"}, {"B", "UL9"}, {"C", "UL9"}},
       {Leg("DIRECT", "A")}},
      {"destination code mid-route",
       {{"A", "UL9"}, {"KJFK", "UL9"}, {"B", "UL9"}, {"C", ""}},
       {Leg("DIRECT", "A"), Leg("UL9", "C")}},
      {"airway left and joined again",
       {{"A", "UL9"}, {"B", ""}, {"C", "UL9"}, {"D", "UL9"}},
       {Leg("DIRECT", "A"), Leg("UL9", "B"), Leg("DIRECT", "C")}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines = {"EGLL", "KJFK"};
    lines.insert(lines.end(), c.legs.begin(), c.legs.end());
    EXPECT_EQ(Written(c.fixes), test::CrLf(lines)) << c.name;
  }
}

TEST(MadDogRoute, PositionsAreSignedDecimalDegrees) {
  RouteHeader h;
  h.departure_icao = "EGLL";
  h.destination_icao = "EHAM";
  WaypointTable waypoints;
  waypoints.Append(test::Positioned({"EGLL", Dms("N51@28'39.00\""), Dms("W000@27'41.00\""), 83, "",
                                     WaypointKind::kAirport, "0", "0"}));
  waypoints.Append(test::Positioned({"BPK", Dms("N51@44'59.00\""), Dms("W000@06'24.00\""), 0, "UL9",
                                     WaypointKind::kVor, "117.50", ""}));
  waypoints.Append(test::Positioned({"KONAN", Dms("N51@19'42.00\""), Dms("E002@00'00.00\""), 0, "",
                                     WaypointKind::kIntersection, "0", ""}));
  waypoints.Append(test::Positioned({"SOUTH", Dms("S33@56'46.00\""), Dms("W000@00'00.05\""), 0, "",
                                     WaypointKind::kIntersection, "0", ""}));
  waypoints.Append(test::Positioned({"EHAM", Dms("N52@18'29.00\""), Dms("E004@45'51.00\""), -11, "",
                                     WaypointKind::kAirport, "0", ""}));
  EXPECT_EQ(WriteMadDogRoute(h, waypoints),
            test::CrLf({"EGLL", "EHAM", "DIRECT BPK 51.749722 -0.106667",
                        "UL9 KONAN 51.328333 2.000000", "DIRECT SOUTH -33.946111 0.000000"}));
}

}  // namespace
}  // namespace korvanta
