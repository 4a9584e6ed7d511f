// The cruise altitude the user chooses: the forms `--cruise` takes, and a
// run in which every target writes it over the route's own.

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "full_simulator_tree.hpp"
#include "readers/input_kind.hpp"
#include "run/conversion_run.hpp"
#include "run/plan_file_source.hpp"
#include "stand_in_front_end.hpp"
#include "test_support.hpp"

namespace korvanta {
namespace {

namespace fs = std::filesystem;

TEST(CruiseAltitude, TheFormsTheCommandLineTakes) {
  const std::string route = (test::DataDir() / "example_route.txt").string();
  // The feet a text gives; 0: a usage error.
  const std::pair<const char*, int> cases[] = {
      {"FL350", 35000}, {"fl090", 9000},  {"350", 35000}, {"35000", 35000}, {"9500", 9500},
      {"FL010", 1000},  {"FL600", 60000}, {"FL601", 0},   {"60001", 0},     {"5", 0},
      {"FL", 0},        {"FL3500", 0},    {"-350", 0},    {"35000ft", 0},   {"F350", 0}};
  for (const auto& [given, feet] : cases) {
    const auto result = test::RunCli(std::string("parse --cruise=") + given + " '" + route + "'");
    EXPECT_EQ(result.status, feet == 0 ? 2 : 0) << given << result.err;
    if (feet != 0) {
      EXPECT_NE(result.out.find(fmt::format("\nCruiseAlt={}\n", feet)), std::string::npos) << given;
    }
  }
}

TEST(CruiseAltitude, EveryTargetWritesTheChosenAltitude) {
  test::TempDir dir;
  const FolderSet folders = test::MakeFullSimulatorTree(dir / "tree");
  AirportDatabase airports;
  LoadAirportLines(test::ReadFile(test::DataDir() / "wpNavApt.txt"), airports);
  for (const Simulator simulator : {Simulator::kFs9, Simulator::kXPlane}) {
    test::StandInFrontEnd front;
    ConversionRun run(folders, airports, front);
    RunChoices choices;
    for (const TargetDescriptor& descriptor : Targets()) {
      if (TargetAllowed(simulator, descriptor.target))
        choices.ticked.insert(descriptor.target);
    }
    choices.simulator = simulator;
    choices.plan_number = 3;
    choices.cruise_altitude = 12000;
    const RunOutcome outcome =
        run.Run(test::ReadFile(test::DataDir() / "example_route.txt"), choices);
    for (const TargetFailure& failure : outcome.failures)
      ADD_FAILURE() << failure.Line();
    ASSERT_EQ(outcome.end, RunEnd::kCompleted);
  }
  // The route's own FL330, in any form a target writes it, is nowhere but in
  // the copies of the route text.
  for (const auto& entry : fs::recursive_directory_iterator(dir / "tree")) {
    if (!entry.is_regular_file() || entry.path().filename() == "route.txt" ||
        entry.path().extension() == ".rts")
      continue;
    const std::string bytes = test::ReadFile(entry.path());
    for (const char* own : {"33000", "FL330", "10058"})
      EXPECT_EQ(bytes.find(own), std::string::npos) << entry.path() << " holds " << own;
  }
  for (const char* plan : {"xplane/EAAAEBBB.fms", "docs/EAAA-EBBB.gpx", "docs/EAAA-EBBB.pln",
                           "docs/Flight Simulator Files/IFR ALPHA_INTL to BETA FIELD.pln"}) {
    const std::string bytes = test::ReadFile(dir / "tree" / plan);
    EXPECT_EQ(
        PlanFileSource(DetectInputKind(bytes), bytes).Read({}, airports).header.cruise_altitude,
        12000)
        << plan;
  }
}

}  // namespace
}  // namespace korvanta
