// A plan's free-text names converted to every target: identifiers of
// upper-case letters and digits only, kept whole by the X-Plane 11/12, GPX
// and MSFS files (which read back to the same points), cut to six
// characters by the others, a point named by its position in the
// five-character form there.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "readers/input_kind.hpp"
#include "readers/plan_reader.hpp"
#include "readers/route_text_parser.hpp"
#include "route/position.hpp"
#include "run/run_choices.hpp"
#include "run/targets.hpp"
#include "test_support.hpp"
#include "text/cp1252.hpp"
#include "text/lines.hpp"
#include "writers/xplane11.hpp"

namespace korvanta {
namespace {

std::string Point(std::string_view id, std::string_view position, std::string_view airway = "") {
  std::string point = "<ATCWaypoint id=\"" + std::string(id) + "\"><WorldPosition>" +
                      std::string(position) + "</WorldPosition>";
  if (!airway.empty())
    point += "<ATCAirway>" + std::string(airway) + "</ATCAirway>";
  return point + "</ATCWaypoint>";
}

const std::string kPlan =
    "<SimBase.Document><FlightPlan.FlightPlan><DepartureName>Lac d'Annecy</DepartureName>" +
    Point("lfln", "N45\xC2\xB0 55' 48.00\",E6\xC2\xB0 5' 54.00\",+001500.00") +
    Point("Hwy 11", "N46\xC2\xB0 0' 0.00\",E6\xC2\xB0 0' 0.00\"") +
    Point("Horka,NOL(GM)", "N47\xC2\xB0 0' 0.00\",E5\xC2\xB0 0' 0.00\"", "UL 6,02") +
    Point("User Waypoint", "N47\xC2\xB0 30' 0.00\",E4\xC2\xB0 0' 0.00\"", "UL 6,02") +
    Point("LacDAnnecy", "N45\xC2\xB0 51' 0.00\",E6\xC2\xB0 10' 0.00\"") +
    Point("+46.500_-122.600", "N46\xC2\xB0 30' 0.00\",W122\xC2\xB0 36' 0.00\"") +
    Point("54n020w", "N54\xC2\xB0 0' 0.00\",W20\xC2\xB0 0' 0.00\"") +
    Point("N47-W122", "N47\xC2\xB0 0' 0.00\",W122\xC2\xB0 0' 30.00\"") +
    Point("", "N47\xC2\xB0 0' 0.00\",W122\xC2\xB0 0' 0.00\"") +
    Point("\xC3\x89GLL", "N51\xC2\xB0 28' 39.00\",W0\xC2\xB0 27' 41.00\"") +
    "</FlightPlan.FlightPlan></SimBase.Document>";

// The route's identifiers and positions, one line each.
std::string Points(const WaypointTable& waypoints) {
  std::string out;
  for (const Waypoint& row : waypoints)
    out += row.id + " " + row.lat + " " + row.lon + " " + row.route + "\n";
  return out;
}

// Converts the route to every target: no file holds any of `never`; the
// X-Plane 11/12, GPX and MSFS files hold every identifier of `whole` and read
// back to the same points, the other files each identifier of `cut` and
// none of `whole`.
void ExpectIdentifiers(const RouteHeader& header, const WaypointTable& waypoints,
                       const std::vector<std::string>& whole, const std::vector<std::string>& cut,
                       const std::vector<std::string>& never) {
  const std::set<Target> keep_whole = {Target::kXPlane11, Target::kGpx, Target::kMsfs};
  RunChoices choices;
  choices.plan_number = 1;
  choices.cycle = "2612";
  KlnNavigationPoints no_navigation;
  for (const TargetDescriptor& row : AllTargets()) {
    const TargetFiles files = row.render({header, waypoints, choices, &no_navigation, nullptr});
    const bool keeps_whole = keep_whole.count(row.target) != 0;
    std::string bytes;
    for (const TargetFile& file : files)
      bytes += file.bytes;
    const auto holds = [&](const std::string& text) {
      return bytes.find(text) != std::string::npos;
    };
    for (const std::string& text : never)
      EXPECT_FALSE(holds(text)) << row.cli_name << " holds " << text;
    // The FSNavigator plan holds no identifiers, the Tu-154 plan none
    // without navigation data.
    if (row.target != Target::kFsNavigator && row.target != Target::kTu154) {
      for (const std::string& id : whole)
        EXPECT_EQ(holds(id), keeps_whole) << row.cli_name << " " << id;
      for (const std::string& id : keeps_whole ? whole : cut)
        EXPECT_TRUE(holds(id)) << row.cli_name << " " << id;
    }
    if (!keeps_whole)
      continue;
    ASSERT_EQ(files.size(), 1u);
    const PlanReadResult again = ReadPlan(DetectInputKind(bytes), bytes, AirportDatabase());
    ASSERT_TRUE(std::holds_alternative<PlanRoute>(again)) << row.cli_name;
    EXPECT_EQ(Points(std::get<PlanRoute>(again).waypoints), Points(waypoints)) << row.cli_name;
  }
}

TEST(PlanNames, EveryTargetHoldsThePlansIdentifiers) {
  const PlanReadResult read = ReadPlan(InputKind::kPln, kPlan, AirportDatabase());
  ASSERT_TRUE(std::holds_alternative<PlanRoute>(read)) << std::get<PlanReadError>(read).message;
  const PlanRoute& route = std::get<PlanRoute>(read);
  std::vector<std::string> ids;
  for (const Waypoint& row : route.waypoints)
    ids.push_back(row.id);
  EXPECT_EQ(ids,
            (std::vector<std::string>{"LFLN", "HWY11", "HORKANOLGM", "USERWAYPOINT", "LACDANNECY",
                                      "4630N12236W", "54N020W", "4700N12201W", "WP09", "EGLL"}));
  EXPECT_EQ(route.waypoints[2].route, "UL602");
  EXPECT_EQ(route.header.departure_name, "Lac d'Annecy");
  // X-Plane takes a point of its latitude/longitude type for what it is.
  EXPECT_NE(WriteXPlane11Fms(route.header, route.waypoints, "", "2612")
                .find("\r\n28 4630N12236W DRCT 30000.000000 46.500000 -122.600000\r\n"),
            std::string::npos);
  ExpectIdentifiers(route.header, route.waypoints, {"LACDANNECY", "4630N12236W", "54N020W"},
                    {"LACDAN", "47N23", "54N020"},
                    {"Hwy 11", "Horka,", "(GM)", "User Waypoint", "+46.5"});
}

// The route finder's identifiers are already of this form: kept as the text
// gives them, cut by the targets that hold six characters, as always.
TEST(PlanNames, RouteFinderIdentifiersKeptWhole) {
  std::string text = test::ReadFile(test::DataDir() / "example_route.txt");
  for (std::size_t at; (at = text.find("TOBAK")) != std::string::npos;)
    text.replace(at, 5, "55N020W");
  RouteHeader header;
  WaypointTable waypoints;
  ASSERT_EQ(ParseRoute(SplitLines(InputToUtf8(text)), {}, AirportDatabase(), waypoints, header),
            ParseResult::kParsed);
  ExpectIdentifiers(header, waypoints, {"55N020W"}, {"55N020"}, {});
}

}  // namespace
}  // namespace korvanta
