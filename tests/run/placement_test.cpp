// Plan points without a position, placed from the user's navigation data: by
// identifier and region, else the nearest of the name; refused, naming the
// point, when nothing places them.

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "navdata/navigation_source.hpp"
#include "readers/msfs_plan_reader.hpp"
#include "readers/plan_route.hpp"
#include "route/position.hpp"

namespace korvanta {
namespace {

// Two points named WIL (a VOR in region LS, an NDB in region ED), a VOR HOC
// in LS, and two points KOL listed without a region, as the FMC data
// folder's files list every point.
NavigationData RegionData() {
  NavigationData data;
  data.AddPoint("WIL", "LS", WaypointKind::kVor, {16984200, 2768800}, 11660);
  data.AddPoint("WIL", "ED", WaypointKind::kNdb, {18030000, 2940000}, 3850);
  data.AddPoint("HOC", "LS", WaypointKind::kVor, {17048800, 2760000}, 11770);
  data.AddPoint("KOL", "", WaypointKind::kIntersection, {18180000, 3060000});
  data.AddPoint("KOL", "", WaypointKind::kIntersection, {16560000, 2520000});
  data.Finish();
  data.cycle = "2613";
  return data;
}

PlanPoint Placed(const char* id, std::int64_t latitude, std::int64_t longitude) {
  PlanPoint point;
  point.id = id;
  point.lat = latitude;
  point.lon = longitude;
  point.position_text = "given";
  return point;
}

PlanPoint Garbled(const char* id) {
  PlanPoint point;
  point.id = id;
  point.position_text = "5O 8";
  return point;
}

PlanPoint Unplaced(const char* id, const char* region = "") {
  PlanPoint point;
  point.id = id;
  point.region = region;
  return point;
}

// The points between the airports: identifier, kind, frequency and place,
// with "*" for the degree sign.
std::string Dump(const PlanReadResult& result) {
  if (const auto* error = std::get_if<PlanReadError>(&result))
    return error->message;
  std::string out;
  const WaypointTable& rows = std::get<PlanRoute>(result).waypoints;
  for (std::size_t i = 1; i + 1 < rows.Count(); ++i) {
    out += fmt::format("{} {} {} {} {};", rows[i].id, KindLetter(rows[i].kind), rows[i].freq,
                       DmsLatitudeText(rows[i].position.latitude),
                       DmsLongitudeText(rows[i].position.longitude));
  }
  for (std::size_t at; (at = out.find("\xC2\xB0")) != std::string::npos;)
    out.replace(at, 2, "*");
  return out;
}

TEST(Placement, ByRegionElseNearestToThePointBefore) {
  const NavigationSource navigation(RegionData());
  AirportDatabase airports;
  airports.navigation = &navigation;
  // The departure lies beside the WIL of ED, the destination beside those of LS.
  const PlanPoint departure = Placed("DEP", 18000000, 2880000);
  const PlanPoint destination = Placed("ARR", 17100000, 2700000);
  struct Case {
    const char* what;
    std::vector<PlanPoint> between;
    std::string expected;
  };
  const std::string wil_ed = "WIL N 385 N50*05'00.00\" E008*10'00.00\";";
  const std::string wil_ls = "WIL V 116.60 N47*10'42.00\" E007*41'28.00\";";
  const std::string hoc = "HOC V 117.70 N47*21'28.00\" E007*40'00.00\";";
  const Case cases[] = {
      {"no region: the nearest", {Unplaced("WIL")}, wil_ed},
      {"a region over a nearer point", {Unplaced("WIL", "LS")}, wil_ls},
      {"nearest to the point before, placed itself",
       {Unplaced("HOC"), Unplaced("WIL")},
       hoc + wil_ls},
      {"nearest to a point the plan places",
       {Placed("X", 17000000, 2770000), Unplaced("WIL")},
       "X I 0 N47*13'20.00\" E007*41'40.00\";" + wil_ls},
      {"listed without region", {Unplaced("KOL", "LS")}, "KOL I 0 N50*30'00.00\" E008*30'00.00\";"},
      {"no point of the region",
       {Unplaced("WIL", "LF")},
       "The plan gives no position for WIL (region LF), and the navigation data (cycle 2613) "
       "does not hold it either"},
      {"no point of the name",
       {Unplaced("WIL"), Unplaced("ZZZ")},
       "The plan gives no position for ZZZ, and the navigation data (cycle 2613) does not hold "
       "it either"},
      {"a name that is a position places the point itself",
       {Unplaced("4630N00815E")},
       "4630N00815E I 0 N46*30'00.00\" E008*15'00.00\";"},
      {"a position that does not read is no gap to fill",
       {Garbled("WIL")},
       "Waypoint WIL: the position 5O 8 does not read"},
  };
  for (const Case& c : cases) {
    std::vector<PlanPoint> points{departure};
    points.insert(points.end(), c.between.begin(), c.between.end());
    points.push_back(destination);
    EXPECT_EQ(Dump(MakePlanRoute(points, {}, airports)), c.expected) << c.what;
  }
}

TEST(Placement, AnMsfsPlansRegionChoosesThePoint) {
  const NavigationSource navigation(RegionData());
  AirportDatabase airports;
  airports.navigation = &navigation;
  const std::string plan =
      "<SimBase.Document><FlightPlan.FlightPlan><DepartureID>DEP</DepartureID><DepartureLLA>"
      "N50* 0.00',E8* 0.00'</DepartureLLA><DestinationID>ARR</DestinationID><DestinationLLA>"
      "N47* 30.00',E7* 30.00'</DestinationLLA><ATCWaypoint id=\"WIL\"><ICAO><ICAORegion>LS"
      "</ICAORegion><ICAOIdent>WIL</ICAOIdent></ICAO></ATCWaypoint></FlightPlan.FlightPlan>"
      "</SimBase.Document>";
  EXPECT_EQ(Dump(ReadMsfsPlan(plan, airports)), "WIL V 116.60 N47*10'42.00\" E007*41'28.00\";");
}

TEST(Placement, RefusedWithoutNavigationData) {
  const NavigationSource nothing;
  const std::vector<PlanPoint> points{Placed("DEP", 0, 0), Unplaced("WIL", "LS"),
                                      Placed("ARR", 100, 100)};
  AirportDatabase airports;
  EXPECT_EQ(Dump(MakePlanRoute(points, {}, airports)),
            "The plan gives no position for WIL, and there is no navigation data to place it");
  airports.navigation = &nothing;
  EXPECT_EQ(Dump(MakePlanRoute(points, {}, airports)),
            "The plan gives no position for WIL, and there is no navigation data to place it "
            "(" +
                nothing.Problem() + ")");
}

}  // namespace
}  // namespace korvanta
