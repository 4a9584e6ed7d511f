#include <fmt/format.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "io/utf8_path.hpp"
#include "route/tables.hpp"
#include "simulator_tree.hpp"
#include "test_support.hpp"
#include "writers/ifly.hpp"

namespace korvanta {
namespace {

// The default values at the end of every iFly leg line, as the plan format
// has them.
const std::string kTail =
    "0,0,1,-1,0.000,0,-1000,-1000,-1,-1,-1,0,0,000.00000,0,0,,-1000,-1,-1,-1000,0,-1000,-1,-1,"
    "-1000,0,-1000,-1,-1,-1000,0,-1000,-1,-1,-1000,0,-1000,-1000,0,";

std::vector<std::string> IflyHeader(const std::string& dep, const std::string& dest,
                                    const std::string& cruise) {
  return {dep + ",", dest + ",", ",",   cruise + ",", ",", ",", ",", ",",
          ",",       ",",        "-1,", ",",          ",", ",", ",", "-1,"};
}

std::vector<std::string> Plus(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

using test::Header;
using test::Row;
using test::Table;

TEST(IflyPlan, AirportsOnlyGiveTheHeaderAlone) {
  const WaypointTable waypoints = Table({Row("EAAA", "N50*02'00.00\"", "E008*34'14.00\""),
                                         Row("EBBB", "N50*52'00.00\"", "E005*15'00.00\"")});
  EXPECT_EQ(WriteIflyPlan(Header("EAAA", "EBBB", "ALPHA", "BETA", 0, 0, 9000), waypoints),
            test::CrLf(IflyHeader("EAAA", "EBBB", "9000")));
}

// Whole-number courses (due east on the equator, due north), trimmed airway
// names, a blank airway as a direct leg, and a fix in the middle named like
// the destination: the leg into it is left out, the leg out of it is not.
TEST(IflyPlan, LegsCoursesAndTheDestinationName) {
  const WaypointTable waypoints = Table({
      Row("EAAA", "N00*00'00.00\"", "E000*00'00.00\"", " UL602 "),
      Row("ALFA", "N00*00'00.00\"", "E001*00'00.00\"", "  "),
      Row("BRAVO", "N01*00'00.00\"", "E001*00'00.00\"", "UN1"),
      Row("EBBB", "N01*00'00.00\"", "E002*00'00.00\"", ""),
      Row("DELTA", "N02*00'00.00\"", "E002*00'00.00\"", "UN2"),
      Row("EBBB", "N03*00'00.00\"", "E002*00'00.00\""),
  });
  const std::string expected =
      test::CrLf(Plus(IflyHeader("EAAA", "EBBB", "33000"),
                      {
                          "UL602,2,ALFA,0, 00.000000 001.000000,0,0,90," + kTail,
                          "DIRECT,3,BRAVO,0, 01.000000 001.000000,0,0,360," + kTail,
                          "DIRECT,3,DELTA,0, 02.000000 002.000000,0,0,360," + kTail,
                      }));
  EXPECT_EQ(WriteIflyPlan(Header("EAAA", "EBBB"), waypoints), expected);
}

TEST(IflyCourse, GeneralFormPaddedAndCut) {
  struct Case {
    long double course;
    const char* text;
  };
  const std::vector<Case> cases = {
      {294.641234L, "294.64123"},
      {45.5231123L, "045.52311"},
      {5.25L, "005.25"},
      {90.0L, "90"},
      {360.0L, "360"},
      {100.5L, "100.5"},
      {0.00005L, "000.00005"},
      // Rounded to 15 significant digits before anything is cut.
      {359.99999999999999L, "360"},
      {12.9999999999999999L, "13"},
      // Just east of north: no exponent, which the cut would misread.
      {0.0000025L, "000.00000"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IflyCourseText(c.course), c.text) << static_cast<double>(c.course);
  }
}

// ---------------------------------------------------------------------------
// The four writers of one run through korvanta-cli, on a route with a VOR, an
// NDB, intersections on airways and direct legs, and positions in every
// quarter of the globe.

struct RouteTree : test::SimulatorTree {
  RouteTree() : SimulatorTree({Target::kIfly, Target::kLevelD, Target::kPmdg}) {
    std::filesystem::create_directories(xplane);
    test::WriteFile(app / "korvanta.ini", "[Main]\r\nX-PlaneFolder=" + xplane.string() + "\r\n");
    // Name in columns 1 to 24, code in 25 to 28, elevation ending in column 74.
    test::WriteFile(
        fs9 / "Fmcwp/NAVDATA/wpNavApt.txt",
        test::CrLf({fmt::format("{:<24}{:<4}{:>46}", "SEATTLE TACOMA INTL", "KSEA", 433),
                    fmt::format("{:<24}{:<4}{:>46}", "SYDNEY", "YSSY", 21)}));
  }
  std::string Args(const std::string& extra,
                   const std::filesystem::path& route = test::DataDir() /
                                                        "route_south_west.txt") const {
    return "convert " + extra + " " + CliFolders() + " '" + route.string() + "'";
  }
  std::filesystem::path xplane = dir / "xplane";
  std::filesystem::path ifly_folder = Below(Target::kIfly);
  std::filesystem::path leveld_folder = Below(Target::kLevelD);
  std::filesystem::path pmdg_folder = Below(Target::kPmdg);
};

TEST(IflyLevelDXPlanePmdgCli, OneRouteFourFilesByteForByte) {
  RouteTree t;
  // No selection enables all four boxes: X-Plane has its own.
  const auto fs9 = test::RunCli(t.Args("--targets ifly,leveld,pmdg --runway 16L"));
  ASSERT_EQ(fs9.status, 0) << fs9.err;
  const auto xp = test::RunCli(t.Args("--sim xplane --targets xplane"));
  ASSERT_EQ(xp.status, 0) << xp.err;

  const std::filesystem::path ifly = t.ifly_folder / "KSEAYSSY.fltplan";
  const std::filesystem::path leveld = t.leveld_folder / "KSEAYSSY.rte";
  const std::filesystem::path xplane = t.xplane / "KSEA-YSSY.fms";
  const std::filesystem::path pmdg = t.pmdg_folder / "KSEAYSSY001.rte";
  EXPECT_EQ(fs9.out, "File " + ShownPath(ifly) + " created\nFile " + ShownPath(leveld) +
                         " created\nFile " + ShownPath(pmdg) + " created\n");
  EXPECT_EQ(xp.out, "File " + ShownPath(xplane) + " created\n");

  EXPECT_EQ(test::ReadFile(ifly),
            test::CrLf(Plus(IflyHeader("KSEA", "YSSY", "35000"),
                            {
                                "DIRECT,3,SEA,0, 47.435278 -122.30972,0,0,179.26819," + kTail,
                                "J1,2,MOXEE,0, 38.500000 -73.778889,0,0,086.15815," + kTail,
                                "J1,2,GIPOL,0, 05.123444 -05.500000,0,0,099.78512," + kTail,
                                "DIRECT,3,BOBOX,0, -5.123444 -00.460000,0,0,153.76451," + kTail,
                                "UN866,2,TOBAK,0, -33.946111 008.570556,0,0,164.91318," + kTail,
                                "UN866,2,KARLO,0, -33.000000 073.778889,0,0,108.54609," + kTail,
                                "DIRECT,3,SYD,0, -33.946111 151.177222,0,0,114.54717," + kTail,
                            })));

  EXPECT_EQ(test::ReadFile(leveld), test::CrLf({
                                        ";FlightPlan created   by Korvanta ver. 2.9",
                                        ";SEATTLE-TACOMA INTL to SYDNEY_KINGSFORD SMITH",
                                        "",
                                        "H,KSEA,YSSY, ,",
                                        "W,SEA,J1,30,47.435278,-122.309722,116.800000,0,0,0,0",
                                        "W,MOXEE,J1,30,38.500000,-73.778889,0.000000,0,0,0,0",
                                        "W,GIPOL,,0,5.123444,-5.500000,0.000000,0,0,0,0",
                                        "W,BOBOX,UN866,30,-5.123444,-0.460000,375.000000,0,0,0,0",
                                        "W,TOBAK,UN866,30,-33.946111,8.570556,0.000000,0,0,0,0",
                                        "W,KARLO,,0,-33.000000,73.778889,0.000000,0,0,0,0",
                                        "W,SYD,,0,-33.946111,151.177222,112.100000,0,0,0,0",
                                        "",
                                        "End of FlightPlan",
                                    }));

  EXPECT_EQ(test::ReadFile(xplane), test::CrLf({
                                        "I",
                                        "3 version",
                                        "0",
                                        "0",
                                        "1 KSEA 0 47.450000 -122.310000",
                                        "3 SEA 0 47.435278 -122.309722",
                                        "11 MOXEE 0 38.500000 -73.778889",
                                        "11 GIPOL 0 5.123444 -5.500000",
                                        "2 BOBOX 0 -5.123444 -0.460000",
                                        "11 TOBAK 0 -33.946111 8.570556",
                                        "11 KARLO 0 -33.000000 73.778889",
                                        "3 SYD 0 -33.946111 151.177222",
                                        "1 YSSY 0 -33.946944 151.176944",
                                        "",
                                    }));

  const std::string dep = "1 N 47.4500 W 122.3100 433";
  EXPECT_EQ(test::ReadFile(pmdg), test::CrLf({
                                      "Generated by Korvanta ver 2.9",
                                      "",
                                      "9",
                                      "",
                                      "KSEA",
                                      "1",
                                      "DIRECT",
                                      dep,
                                      "16L",
                                      "1",
                                      dep,
                                      "",
                                      "1",
                                      "433",
                                      "-",
                                      "-1000000",
                                      "-1000000",
                                      "",  //
                                      "SEA",
                                      "2",
                                      "J1",
                                      "1 N 47.4353 W 122.3097 0",
                                      "0",
                                      "0",
                                      "0",
                                      "",  //
                                      "MOXEE",
                                      "5",
                                      "J1",
                                      "1 N 38.5000 W 73.7789 0",
                                      "0",
                                      "0",
                                      "0",
                                      "",  //
                                      "GIPOL",
                                      "2",
                                      "DIRECT",
                                      "1 N 5.1234 W 5.5000 0",
                                      "0",
                                      "0",
                                      "0",
                                      "",  //
                                      "BOBOX",
                                      "2",
                                      "UN866",
                                      "1 S 5.1234 W 0.4600 0",
                                      "0",
                                      "0",
                                      "0",
                                      "",  //
                                      "TOBAK",
                                      "5",
                                      "UN866",
                                      "1 S 33.9461 E 8.5706 0",
                                      "0",
                                      "0",
                                      "0",
                                      "",  //
                                      "KARLO",
                                      "2",
                                      "DIRECT",
                                      "1 S 33.0000 E 73.7789 0",
                                      "0",
                                      "0",
                                      "0",
                                      "",  //
                                      "SYD",
                                      "2",
                                      "DIRECT",
                                      "1 S 33.9461 E 151.1772 0",
                                      "0",
                                      "0",
                                      "0",
                                      "",  //
                                      "YSSY",
                                      "1",
                                      "-",
                                      "1 S 33.9469 E 151.1769 21",
                                      "-----",
                                      "0",
                                      "0",
                                      "  ",
                                      "1",
                                      "21",
                                      "-",
                                      "-1000000",
                                      "-1000000",
                                      "",
                                  }));

  // The run ends with the route text's copy, named after the route.
  EXPECT_TRUE(std::filesystem::exists(t.fs9 / "routes/KSEAYSSY.rts"));
}

// A coordinate that does not read refuses the route: no file at all, and
// the message names the fix.
TEST(IflyLevelDXPlanePmdgCli, UnreadableCoordinateWritesNothing) {
  RouteTree t;
  std::string text = test::ReadFile(test::DataDir() / "route_south_west.txt");
  const std::string good =
      "S33\xB0"
      "00'00.00\"";
  ASSERT_NE(text.find(good), std::string::npos);
  text.replace(text.find(good), good.size(),
               "S33\xB0"
               "0x'00.00\"");
  const std::filesystem::path route = t.dir / "bad_route.txt";
  test::WriteFile(route, text);

  const auto result = test::RunCli(t.Args("--targets ifly,leveld", route));
  EXPECT_EQ(result.status, 3);
  EXPECT_NE(result.err.find("Waypoint KARLO: latitude \"S33\xC2\xB0"
                            "0x'00.00\"\" does not read\n"),
            std::string::npos)
      << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_FALSE(std::filesystem::exists(t.ifly_folder / "KSEAYSSY.fltplan"));
  EXPECT_FALSE(std::filesystem::exists(t.leveld_folder / "KSEAYSSY.rte"));
  EXPECT_FALSE(std::filesystem::exists(t.fs9 / "routes/KSEAYSSY.rts"));
}

}  // namespace
}  // namespace korvanta
