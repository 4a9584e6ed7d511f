// A route string and an MSFS 2024 plan that names its points only, both over
// the FMC data folder of the tests, converted into every target of every
// selection: the same files as the route finder's text of the same points,
// but for what they cannot carry: the FS2004 plan's track column (theirs is
// the great-circle course) and the copies of the input itself ("route.txt",
// the ".rts" copy).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <variant>

#include "full_simulator_tree.hpp"
#include "readers/route_string_reader.hpp"
#include "route/route_string.hpp"
#include "run/conversion_run.hpp"
#include "run/input_source.hpp"
#include "run/plan_file_source.hpp"
#include "stand_in_front_end.hpp"
#include "test_navigation.hpp"
#include "test_support.hpp"
#include "text/cp1252.hpp"

namespace korvanta {
namespace {

namespace fs = std::filesystem;

// The FS2004 plan's lines "WP=n,kind,id,name,lat,lon,freq,track,..." with the
// track left out.
std::string WithoutTrack(std::string text) {
  for (std::size_t at = text.find("\nWP="); at != std::string::npos;
       at = text.find("\nWP=", at + 1)) {
    std::size_t field = at;
    for (int comma = 0; comma < 7; ++comma)
      field = text.find(',', field + 1);
    text.erase(field + 1, text.find(',', field + 1) - field - 1);
  }
  return text;
}

// Every file a run wrote below `tree`, by its path, but the inputs the tree
// was made with and the copies of a route text.
std::map<std::string, std::string> Written(const fs::path& tree) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(tree)) {
    std::string name = PathToUtf8(entry.path().lexically_relative(tree));
    std::replace(name.begin(), name.end(), '\\', '/');
    if (!entry.is_regular_file() || name == "app/korvanta.ini" || name == "app/route.txt" ||
        entry.path().extension() == ".rts" ||
        fs::exists(test::DataDir() / "kln90b" / entry.path().filename()))
      continue;
    std::string bytes = test::ReadFile(entry.path());
    files[name] = bytes.starts_with("[flightplan]") ? WithoutTrack(std::move(bytes)) : bytes;
  }
  return files;
}

class SamePoints : public ::testing::Test {
 protected:
  void SetUp() override {
    LoadAirportLines(test::ReadFile(test::DataDir() / "navdata/fmc/wpNavAPT.txt"), airports_);
    airports_.navigation = &test::FmcTestNavigation();
  }

  // The files of every target of `simulator` that the run of `source` writes.
  std::map<std::string, std::string> Convert(const RouteSource& source, Simulator simulator,
                                             const std::string& runway) const {
    test::TempDir dir;
    const FolderSet folders = test::MakeFullSimulatorTree(dir / "tree");
    test::StandInFrontEnd front;
    ConversionRun run(folders, airports_, front);
    RunChoices choices;
    for (const TargetDescriptor& descriptor : Targets()) {
      if (TargetAllowed(simulator, descriptor.target))
        choices.ticked.insert(descriptor.target);
    }
    choices.simulator = simulator;
    choices.runway = runway;
    choices.plan_number = 3;
    choices.cycle = "2613";
    const RunOutcome outcome = run.Run(source, choices);
    std::string messages;
    for (const std::string& message : front.Messages())
      messages += message + "\n";
    EXPECT_EQ(outcome.end, RunEnd::kCompleted) << messages;
    for (const TargetFailure& failure : outcome.failures)
      ADD_FAILURE() << failure.Line();
    return Written(dir / "tree");
  }

  // Each selection's files of `source` against those of the route text,
  // whose runway is the one the source names.
  void ExpectTheRouteTextsFiles(const RouteSource& source) const {
    const RouteTextSource text(
        InputToUtf8(test::ReadFile(test::DataDir() / "navdata/route_string_text.txt")));
    for (const Simulator simulator : {Simulator::kFs9, Simulator::kFsx, Simulator::kXPlane}) {
      const std::map<std::string, std::string> expected = Convert(text, simulator, "24");
      const std::map<std::string, std::string> written = Convert(source, simulator, "");
      ASSERT_EQ(written.size(), expected.size()) << static_cast<int>(simulator);
      for (const auto& [name, bytes] : expected) {
        ASSERT_TRUE(written.count(name)) << name;
        EXPECT_EQ(written.at(name), bytes) << name;
      }
    }
  }

  AirportDatabase airports_;
};

TEST_F(SamePoints, AnMsfs2024PlanOfNamesOnly) {
  ExpectTheRouteTextsFiles(PlanFileSource(
      InputKind::kPln, test::ReadFile(test::DataDir() / "plans/msfs2024_navdata_points.pln")));
}

TEST_F(SamePoints, ARouteString) {
  const InputSource input =
      MakeInputSource(test::ReadFile(test::DataDir() / "navdata/route_string.txt"));
  ASSERT_EQ(input.kind, InputKind::kRoute) << input.error;
  ExpectTheRouteTextsFiles(*input.source);
}

// The route string of a route, read again over the same data, gives the
// same points: named ones at their places, those it writes by their position
// within half a minute.
TEST_F(SamePoints, TheRouteStringReadsBackToTheSamePoints) {
  const std::string gpx_with_unnamed_points =
      R"(<gpx version="1.1" creator="a GPS"><rte>)"
      R"(<rtept lat="50.0333" lon="8.5706"><name>EAAA</name></rtept>)"
      R"(<rtept lat="50.21" lon="7.7166"/><rtept lat="50.58" lon="6.325"/>)"
      R"(<rtept lat="50.8667" lon="5.25"><name>EBBB</name></rtept></rte></gpx>)";
  const struct {
    const char* what;
    std::string input;
    std::int32_t tolerance;  // hundredths of an arc-second
  } cases[] = {
      {"route text", test::ReadFile(test::DataDir() / "navdata/route_string_text.txt"), 0},
      {"GPX of unnamed points", gpx_with_unnamed_points, kHundredthsPerMinute / 2},
  };
  for (const auto& c : cases) {
    const InputSource input = MakeInputSource(c.input);
    const RouteReading first = input.source->Read({}, airports_);
    ASSERT_TRUE(first.Parsed()) << c.what << ": " << first.message;
    const std::string string = RouteString(first.waypoints);
    const InputSource again = MakeInputSource(string);
    ASSERT_EQ(again.kind, InputKind::kRoute) << string;
    const RouteReading second = again.source->Read({}, airports_);
    ASSERT_TRUE(second.Parsed()) << string << ": " << second.message;
    ASSERT_EQ(second.waypoints.Count(), first.waypoints.Count()) << string;
    for (std::size_t row = 0; row < first.waypoints.Count(); ++row) {
      const Waypoint& was = first.waypoints[row];
      const Waypoint& is = second.waypoints[row];
      if (!was.named_from_position) {
        EXPECT_EQ(is.id, was.id) << string;
      }
      EXPECT_LE(std::abs(is.position.latitude - was.position.latitude), c.tolerance) << is.id;
      EXPECT_LE(std::abs(is.position.longitude - was.position.longitude), c.tolerance) << is.id;
    }
    EXPECT_EQ(RouteString(second.waypoints), string) << c.what;
  }
}

}  // namespace
}  // namespace korvanta
