// Plans laid out as other programs write them (tests/data/plans), each
// converted into every target of the FS2004 and X-Plane selections. No
// identifier the route carries holds anything but upper-case letters and
// digits; Korvanta's own X-Plane 11/12, GPX and MSFS files of the route read
// back to the same points; and programs written elsewhere read the GPX and
// XML files.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <variant>
#include <vector>

#include "full_simulator_tree.hpp"
#include "readers/reader_table.hpp"
#include "run/conversion_run.hpp"
#include "run/plan_file_source.hpp"
#include "stand_in_front_end.hpp"
#include "test_navigation.hpp"
#include "test_support.hpp"

namespace korvanta {
namespace {

namespace fs = std::filesystem;

struct PlanCase {
  const char* file;          // below tests/data/plans
  const char* airport_list;  // below tests/data
};

const PlanCase kPlans[] = {
    {"gps_device_route.gpx", "wpNavApt.txt"},
    {"littlenavmap_route.gpx", "wpNavApt.txt"},
    {"several_routes.gpx", "wpNavApt.txt"},
    {"littlenavmap_fsx.pln", "wpNavApt.txt"},
    {"simbrief_msfs2020.pln", "wpNavApt.txt"},
    {"signed_decimal_positions.pln", "wpNavApt.txt"},
    {"msfs2024_no_positions.pln", "plans/msfs2024_airports.txt"},
    {"msfs2024_navdata_points.pln", "navdata/fmc/wpNavAPT.txt"},
    {"xplane9_v3_altitudes.fms", "wpNavApt.txt"},
    {"mission_xplane11_numenr.fms", "wpNavApt.txt"},
    {"fs2004_blank_name.pln", "wpNavApt.txt"},
};

void PrintTo(const PlanCase& plan, std::ostream* out) {
  *out << plan.file;
}

std::string Quoted(const fs::path& path) {
  return "'" + PathToUtf8(path) + "'";
}

// Runs `command` with its output into `out`; its exit status.
int Shell(const std::string& command, const fs::path& out) {
  return std::system((command + " > " + Quoted(out) + " 2>&1").c_str());
}

bool IdentifierCharactersOnly(const std::string& id) {
  if (id.empty())
    return false;
  for (const char c : id) {
    if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
      return false;
  }
  return true;
}

class RealPlans : public ::testing::TestWithParam<PlanCase> {
 protected:
  void SetUp() override {
    LoadAirportLines(test::ReadFile(test::DataDir() / GetParam().airport_list), airports_);
    airports_.navigation = &test::FmcTestNavigation();
  }

  // The route as Korvanta reads the plan at `file`.
  RouteReading Read(const fs::path& file) const {
    const std::string bytes = test::ReadFile(file);
    const PlanFileSource source(DetectInputKind(bytes), bytes);
    return source.Read(ParseOptions{}, airports_);
  }

  // Converts the plan into every target of `simulator` below `tree`.
  RunOutcome Convert(const fs::path& tree, Simulator simulator) const {
    const FolderSet folders = test::MakeFullSimulatorTree(tree);
    test::StandInFrontEnd front;
    ConversionRun run(folders, airports_, front);
    RunChoices choices;
    for (const TargetDescriptor& descriptor : Targets()) {
      if (TargetAllowed(simulator, descriptor.target))
        choices.ticked.insert(descriptor.target);
    }
    choices.simulator = simulator;
    choices.plan_number = 3;
    choices.cycle = "2612";
    const std::string bytes = test::ReadFile(test::DataDir() / "plans" / GetParam().file);
    return run.Run(PlanFileSource(DetectInputKind(bytes), bytes), choices);
  }

  AirportDatabase airports_;
};

TEST_P(RealPlans, ConvertIntoEveryTargetAndReadBackToTheSamePoints) {
  const RouteReading original = Read(test::DataDir() / "plans" / GetParam().file);
  ASSERT_TRUE(original.Parsed()) << original.message;
  for (const Waypoint& row : original.waypoints)
    EXPECT_TRUE(IdentifierCharactersOnly(row.id)) << "[" << row.id << "]";

  test::TempDir dir;
  for (const Simulator simulator : {Simulator::kFs9, Simulator::kXPlane}) {
    const RunOutcome outcome = Convert(dir / "tree", simulator);
    ASSERT_EQ(outcome.end, RunEnd::kCompleted);
    for (const TargetFailure& failure : outcome.failures)
      ADD_FAILURE() << failure.Line();
    EXPECT_FALSE(outcome.written.empty());
  }

  const std::string departure = original.header.departure_icao;
  const std::string destination = original.header.destination_icao;
  for (const fs::path& own : {dir / "tree/xplane" / (departure + destination + ".fms"),
                              dir / "tree/docs" / (departure + "-" + destination + ".gpx"),
                              dir / "tree/docs" / (departure + "-" + destination + ".pln")}) {
    SCOPED_TRACE(own.filename().string());
    const RouteReading back = Read(own);
    ASSERT_TRUE(back.Parsed()) << back.message;
    ASSERT_EQ(back.waypoints.Count(), original.waypoints.Count());
    for (std::size_t i = 0; i < back.waypoints.Count(); ++i) {
      const Waypoint& was = original.waypoints[i];
      const Waypoint& is = back.waypoints[i];
      EXPECT_EQ(is.id, was.id) << i;
      // Six decimals of a degree are 0.0036 of an arc-second.
      EXPECT_NEAR(is.position.latitude, was.position.latitude, 1) << was.id;
      EXPECT_NEAR(is.position.longitude, was.position.longitude, 1) << was.id;
    }
  }
}

TEST_P(RealPlans, ProgramsWrittenElsewhereReadTheFiles) {
  KORVANTA_LINUX_ONLY("the readers are Linux programs");
  KORVANTA_REQUIRE_TOOL("xmllint", "libxml2-utils");
  KORVANTA_REQUIRE_TOOL("gpsbabel", "gpsbabel");
  KORVANTA_REQUIRE_TOOL("ogrinfo", "gdal-bin");
  test::TempDir dir;
  ASSERT_EQ(Convert(dir / "tree", Simulator::kFs9).end, RunEnd::kCompleted);
  const fs::path out = dir / "out";
  for (const auto& entry : fs::recursive_directory_iterator(dir / "tree")) {
    const fs::path& file = entry.path();
    const std::string extension = file.extension().string();
    if (extension == ".gpx") {
      EXPECT_EQ(Shell("xmllint --noout --schema " + Quoted(test::DataDir() / "gpx-1.1.xsd") + " " +
                          Quoted(file),
                      out),
                0)
          << test::ReadFile(out);
      // gpsbabel lists the route's points (-r), one line each after its heading.
      ASSERT_EQ(Shell("gpsbabel -r -i gpx -f " + Quoted(file) + " -o unicsv -F -", out), 0)
          << test::ReadFile(out);
      const std::string listing = test::ReadFile(out);
      EXPECT_EQ(static_cast<std::size_t>(std::count(listing.begin(), listing.end(), '\n')),
                Read(file).waypoints.Count() + 1)
          << listing;
      EXPECT_EQ(Shell("ogrinfo -ro -q " + Quoted(file) + " route_points", out), 0)
          << test::ReadFile(out);
    } else if ((extension == ".pln" || extension == ".kml") &&
               test::ReadFile(file).starts_with("<?xml")) {
      // The FS2004 plan is no XML document.
      EXPECT_EQ(Shell("xmllint --noout " + Quoted(file), out), 0) << test::ReadFile(out);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(PlansOfOtherPrograms, RealPlans, ::testing::ValuesIn(kPlans),
                         [](const auto& info) {
                           std::string name = info.param.file;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c)))
                               c = '_';
                           }
                           return name;
                         });

}  // namespace
}  // namespace korvanta
