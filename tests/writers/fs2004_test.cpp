#include "writers/fs2004.hpp"

#include <gtest/gtest.h>

#include <string>

#include "test_support.hpp"

namespace korvanta {
namespace {

// The worked example's plan text with the runway 25L, line by line.
const std::vector<std::string> kPlanLines = test::ExamplePlanLines("25L");

const std::vector<std::string> kIsgLines = {
    "CruiseAlt=33000",
    "",
    "[FlightPlan]",
    "EAAA             50.033333 8.570556 APT",
    "TOBAK            50.091667 8.283333 INT",
    "RUDOL            50.333333 7.166667 VOR",
    "KOMAR            50.666667 6.000000 NDB",
    "EBBB             50.866667 5.250000 APT",
};

struct CliTree {
  test::TempDir dir;
  CliTree() {
    std::filesystem::create_directories(dir / "fs9/isg/FlightPlans");
    std::filesystem::create_directories(dir / "app");
    std::filesystem::create_directories(dir / "docs");  // the plan folder is made inside it
    test::WriteFile(dir / "fs9/Fmcwp/NAVDATA/wpNavApt.txt",
                    test::ReadFile(test::DataDir() / "wpNavApt.txt"));
  }
  std::string Args(const std::string& extra) const {
    return "convert " + extra + " --app-dir '" + (dir / "app").string() + "' --fs9-dir '" +
           (dir / "fs9").string() + "' --fsx-dir '" + (dir / "fsx").string() +
           "' --documents-dir '" + (dir / "docs").string() + "' '" +
           (test::DataDir() / "example_route.txt").string() + "'";
  }
};

TEST(Fs2004Plan, WorkedExampleThroughTheCommandLine) {
  CliTree t;
  const auto r = test::RunCli(t.Args("--targets fs2004 --runway 25L"));
  ASSERT_EQ(r.status, 0) << r.err;
  // One line per file the user loads, in write order; not "temp.tmp".
  EXPECT_EQ(r.out, "File " + (t.dir / "fs9/isg/FlightPlans/default.rte").make_preferred().string() +
                       " created\nFile " +
                       (t.dir / "docs/Flight Simulator Files/IFR ALPHA_INTL to BETA FIELD.pln")
                           .make_preferred()
                           .string() +
                       " created\n");
  EXPECT_EQ(test::ReadFile(t.dir / "app/temp.tmp"), test::CrLf(kPlanLines));
  EXPECT_EQ(test::ReadFile(t.dir / "fs9/isg/FlightPlans/default.rte"), test::CrLf(kIsgLines));
  EXPECT_EQ(test::ReadFile(t.dir / "docs/Flight Simulator Files/IFR ALPHA_INTL to BETA FIELD.pln"),
            test::CrLf(kPlanLines));
  EXPECT_EQ(test::ReadFile(t.dir / "fs9/routes/EAAAEBBB.rts"),
            test::ReadFile(test::DataDir() / "example_route.txt"));
}

TEST(Fs2004Plan, RunwayWithALineEndIsRefusedBeforeAnyFileIsWritten) {
  for (const char* runway : {"'25L\nwaypoint.9=X'", "'25L\r'"}) {
    CliTree t;
    const auto r = test::RunCli(t.Args(std::string("--targets fs2004,pmdg --runway ") + runway));
    EXPECT_EQ(r.status, 2) << runway;
    EXPECT_EQ(r.out, "") << runway;
    EXPECT_FALSE(std::filesystem::exists(t.dir / "app/temp.tmp")) << runway;
  }
}

TEST(Fs2004Plan, WithoutRunwayAndWithoutIsgFolder) {
  CliTree t;
  std::filesystem::remove_all(t.dir / "fs9/isg");
  const auto r = test::RunCli(t.Args("--targets fs2004"));
  ASSERT_EQ(r.status, 0) << r.err;
  auto lines = kPlanLines;
  lines.erase(lines.begin() + 8);
  EXPECT_EQ(test::ReadFile(t.dir / "app/temp.tmp"), test::CrLf(lines));
  EXPECT_FALSE(std::filesystem::exists(t.dir / "fs9/isg"));
}

TEST(Fs2004Plan, ElevationTexts) {
  struct Case {
    int feet;
    const char* text;
  };
  const Case cases[] = {{0, "+000000.00"},
                        {364, "+000364.00"},
                        {1234567, "+1234567.00"},
                        {-11, "-000011.00"},
                        {-1234567, "-1234567.00"}};
  for (const auto& c : cases)
    EXPECT_EQ(Fs2004ElevationText(c.feet), c.text) << c.feet;
}

TEST(Fs2004Plan, AirportsOnlyAndEnRouteAirportIds) {
  RouteHeader h;
  h.departure_icao = "EAAA";
  h.destination_icao = "EBBB";
  const Position position{50 * kHundredthsPerDegree, 8 * kHundredthsPerDegree};
  h.departure_position = h.destination_position = position;
  WaypointTable waypoints;
  waypoints.Append({"EAAA", "", "", 0, "", WaypointKind::kAirport, "0", "0", position});
  waypoints.Append({"EBBB", "", "", 0, "", WaypointKind::kAirport, "0", "0", position});
  std::string plan = WriteFs2004Plan(h, waypoints, "").plan_text;
  EXPECT_EQ(plan.substr(plan.size() - 7), "STAR=\r\n");

  // An en-route point with the departure's id is an airport line of the ISG
  // route and gets no WP= line.
  WaypointTable three;
  three.Append(waypoints[0]);
  three.Append({"EAAA", "", "", 0, "", WaypointKind::kVor, "113.00", "10", position});
  three.Append(waypoints[1]);
  const Fs2004Plan out = WriteFs2004Plan(h, three, "");
  EXPECT_EQ(out.plan_text.find("WP="), std::string::npos);
  EXPECT_EQ(out.isg_route, test::CrLf({"CruiseAlt=0", "", "[FlightPlan]",
                                       "EAAA             50.000000 8.000000 APT",
                                       "EAAA             50.000000 8.000000 APT",
                                       "EBBB             50.000000 8.000000 APT"}));
}

TEST(CliConvert, RefusesTargetsTheSelectionDisables) {
  CliTree t;
  struct Case {
    std::string extra;
    int status;
    std::string err;
  };
  const Case cases[] = {
      {"--sim xplane --targets fs2004", 2, "fs2004"},
      {"--targets nonsense", 2, "unknown target: nonsense"},
      {"--targets fs2004,kml --super80 --sim fsx", 2, "fs"},
      {"--sim concorde --targets fs2004", 2, "--sim"},
  };
  for (const auto& c : cases) {
    const auto r = test::RunCli(t.Args(c.extra));
    EXPECT_EQ(r.status, c.status) << c.extra << "\n" << r.err;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << c.extra << "\n" << r.err;
  }
}

}  // namespace
}  // namespace korvanta
