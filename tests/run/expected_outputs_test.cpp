// Every bundled route converted into every target, compared file by file with
// the bytes committed under tests/data/expected. Any change of any output
// shows here, whatever part of the program made it.
//
// After a deliberate change of an output, set KORVANTA_WRITE_EXPECTED=1 and
// run this test once: it writes the expected files anew instead of comparing,
// and the diff shows what changed.

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

#include "io/utf8_path.hpp"
#include "run/conversion_run.hpp"
#include "stand_in_front_end.hpp"
#include "test_support.hpp"

namespace korvanta {
namespace {

namespace fs = std::filesystem;

struct Case {
  const char* name;  // the folder below tests/data/expected
  const char* route_file;
  Simulator simulator;
  bool super80;
  const char* runway;
};

const Case kCases[] = {
    {"example_fs9", "example_route.txt", Simulator::kFs9, false, "25L"},
    {"nav_route_fs9_super80", "nav_route.txt", Simulator::kFs9, true, ""},
    {"south_west_fsx", "route_south_west.txt", Simulator::kFsx, false, "16R"},
    {"example_xplane", "example_route.txt", Simulator::kXPlane, false, "07"},
    {"nat_route_fs9", "nat_route.txt", Simulator::kFs9, false, "27L"},
};

// Every file below `root`, by its path relative to it ("/"-separated), except
// the inputs the tree was made with.
std::map<std::string, std::string> FilesBelow(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file())
      continue;
    const std::string relative = PathToUtf8(entry.path().lexically_relative(root));
    std::string name = relative;
    for (char& c : name) {
      if (c == '\\')
        c = '/';
    }
    if (name == "app/korvanta.ini" ||
        fs::exists(test::DataDir() / "kln90b" / entry.path().filename()))
      continue;
    files[name] = test::ReadFile(entry.path());
  }
  return files;
}

class ExpectedOutputs : public ::testing::TestWithParam<Case> {};

TEST_P(ExpectedOutputs, EveryTargetWritesTheCommittedBytes) {
  const Case& c = GetParam();
  test::TempDir dir;
  const fs::path tree = dir / "tree";
  for (const char* sub :
       {"app", "docs/Flight Simulator Files", "docs/Flight Simulator X Files", "xplane"}) {
    fs::create_directories(tree / sub);
  }
  for (const char* simulator : {"fs9", "fsx"}) {
    for (const char* sub : {"isg/FlightPlans", "ifly/737NG/navdata/Fltplan",
                            "Level-D Simulations/navdata/Flightplans", "Pmdg/Flightplans",
                            "Modules/FSNavigator/plan", "Civa", "MADDOG2008/Routes", "PTT_KLN90B"})
      fs::create_directories(tree / simulator / sub);
  }
  for (const auto& entry : fs::directory_iterator(test::DataDir() / "kln90b"))
    fs::copy_file(entry.path(), tree / "fs9/PTT_KLN90B" / entry.path().filename());
  // The X-Plane plans go to the current folder unless a folder is set.
  test::WriteFile(tree / "app/korvanta.ini",
                  "[Main]\r\nX-PlaneFolder=" + PathToUtf8(tree / "xplane") + "\r\n");

  FixedFolderSource source;
  source.documents = tree / "docs";
  source.fs9 = tree / "fs9";
  source.fsx = tree / "fsx";
  const FolderSet folders = BuildFolderSet(tree / "app", source);
  AirportDatabase airports;
  LoadAirportLines(test::ReadFile(test::DataDir() / "wpNavApt.txt"), airports);
  test::StandInFrontEnd front;
  ConversionRun run(folders, airports, front);

  RunChoices choices;
  for (const TargetDescriptor& descriptor : Targets()) {
    if (TargetAllowed(c.simulator, descriptor.target))
      choices.ticked.insert(descriptor.target);
  }
  choices.simulator = c.simulator;
  choices.super80 = c.super80;
  choices.runway = c.runway;
  choices.plan_number = 3;
  choices.cycle = "2612";
  const RunOutcome outcome = run.Run(test::ReadFile(test::DataDir() / c.route_file), choices);
  std::string messages;
  for (const std::string& m : front.Messages())
    messages += m + "\n";
  ASSERT_EQ(outcome.end, RunEnd::kCompleted) << messages;
  EXPECT_EQ(messages, "");

  const std::map<std::string, std::string> written = FilesBelow(tree);
  const fs::path expected_root = test::DataDir() / "expected" / c.name;
  if (std::getenv("KORVANTA_WRITE_EXPECTED") != nullptr) {
    fs::remove_all(expected_root);
    for (const auto& [name, bytes] : written)
      test::WriteFile(expected_root / PathFromUtf8(name), bytes);
    GTEST_SKIP() << "expected files written to " << expected_root;
  }
  const std::map<std::string, std::string> expected = FilesBelow(expected_root);
  std::vector<std::string> written_names, expected_names;
  for (const auto& [name, bytes] : written)
    written_names.push_back(name);
  for (const auto& [name, bytes] : expected)
    expected_names.push_back(name);
  ASSERT_EQ(written_names, expected_names);
  for (const auto& [name, bytes] : expected)
    EXPECT_TRUE(written.at(name) == bytes) << name << " differs from its expected bytes";
}

INSTANTIATE_TEST_SUITE_P(BundledRoutes, ExpectedOutputs, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvanta
