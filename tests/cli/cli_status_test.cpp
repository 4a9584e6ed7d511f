// Which status lines a run shows and when: the window sees the PMDG name
// before the file is written, the command line prints a "created" line only
// for a file that was written.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_front_end.hpp"
#include "io/utf8_path.hpp"
#include "run/conversion_run.hpp"
#include "stand_in_front_end.hpp"
#include "test_support.hpp"

namespace korvanta {
namespace {

namespace fs = std::filesystem;

struct Tree {
  test::TempDir root;
  fs::path fs9 = root / "fs9";
  fs::path ifly = fs9 / "ifly/737NG/navdata/Fltplan";
  fs::path pmdg = fs9 / "Pmdg/Flightplans";
  FolderSet folders;
  AirportDatabase airports;

  Tree() {
    for (const auto& f : {root / "app", ifly, pmdg})
      fs::create_directories(f);
    FixedFolderSource source;
    source.documents = root / "docs";
    source.fs9 = fs9;
    folders = BuildFolderSet(root / "app", source);
  }
  RunOutcome Run(FrontEnd& front) const {
    ConversionRun run(folders, airports, front);
    RunChoices choices;
    choices.ticked = {Target::kIfly, Target::kPmdg};
    return run.Run(test::ReadFile(test::DataDir() / "route_south_west.txt"), choices);
  }
};

TEST(RunStatus, TheWindowSeesThePmdgNameBeforeItsFileIsWritten) {
  Tree t;
  test::StandInFrontEnd front;
  front.record_written = true;  // the window's view: every status at once
  EXPECT_EQ(t.Run(front).end, RunEnd::kCompleted);
  const std::string ifly = ShownPath(t.ifly / "KSEAYSSY.fltplan");
  const std::string pmdg = ShownPath(t.pmdg / "KSEAYSSY001.rte");
  EXPECT_EQ(front.events, (std::vector<std::string>{
                              "written: KSEAYSSY.fltplan",
                              "status: File " + ifly + " created",
                              "status: File " + pmdg + " created",
                              "written: KSEAYSSY001.rte",
                              "written: KSEAYSSY.rts",
                          }));
}

// The command line's front end; `sabotage` runs when the run announces a file
// before writing it.
class CliUnderTest : public cli::CliFrontEnd {
 public:
  std::function<void(const fs::path&)> sabotage;
  CliUnderTest() : CliFrontEnd(false) {}
  void SetStatusBeforeWrite(const std::string& text, const fs::path& file) override {
    CliFrontEnd::SetStatusBeforeWrite(text, file);
    if (sabotage)
      sabotage(file);
  }
};

TEST(CliStatus, CreatedOnlyForAFileThatWasWritten) {
  enum class Sabotage { kNone, kNumberTaken, kFolderReplaced };
  const struct {
    std::string what;
    Sabotage sabotage;
    std::string written;  // the PMDG file written, or none
  } cases[] = {
      {"written", Sabotage::kNone, "KSEAYSSY001.rte"},
      {"the number shown is taken meanwhile", Sabotage::kNumberTaken, "KSEAYSSY002.rte"},
      {"the write fails", Sabotage::kFolderReplaced, ""},
  };
  for (const auto& c : cases) {
    Tree t;
    CliUnderTest front;
    // Another program acts after the status was set and before the write:
    // it puts a folder where the announced file goes, or a file in place of
    // the whole folder.
    front.sabotage = [&](const fs::path& file) {
      if (c.sabotage == Sabotage::kNumberTaken)
        fs::create_directories(file / "in the way");
      if (c.sabotage == Sabotage::kFolderReplaced) {
        fs::remove_all(file.parent_path());
        test::WriteFile(file.parent_path(), "in the way");
      }
      front.sabotage = nullptr;
    };
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const RunOutcome outcome = t.Run(front);
    const std::string out = testing::internal::GetCapturedStdout();
    const std::string err = testing::internal::GetCapturedStderr();

    std::string expected_out = "File " + ShownPath(t.ifly / "KSEAYSSY.fltplan") + " created\n";
    if (c.written.empty()) {
      EXPECT_EQ(outcome.end, RunEnd::kNotWritten);
      const std::string announced = ShownPath(t.pmdg / "KSEAYSSY001.rte");
      EXPECT_EQ(err.rfind("PMDG 737/747: Cannot create " + announced + ": ", 0), 0u) << err;
    } else {
      EXPECT_EQ(outcome.end, RunEnd::kCompleted) << err;
      expected_out += "File " + ShownPath(t.pmdg / c.written) + " created\n";
    }
    EXPECT_EQ(out, expected_out) << c.what;
  }
}

// A plan its writer refuses after the number was taken leaves no empty
// numbered file: a route naming its destination again and again does not fit
// an FSNavigator plan.
TEST(CliStatus, ARefusedNumberedPlanLeavesNoEmptyFile) {
  test::TempDir root;
  fs::create_directories(root / "fs9/Modules/FSNavigator/plan");
  fs::create_directories(root / "app");
  const std::string dest =
      test::WithDegreeSign("EBBB 290 32 S33*15'00.00\" W122*30'00.00\" B\r\n", '*');
  std::string text =
      "Computed route from A (EAAA) to B (EBBB)\r\nCruise altitude between FL350 and "
      "FL370\r\nEAAA (0) -SID- >";
  for (int i = 0; i < 10; ++i)
    text += " EBBB (" + std::to_string(10 + i) + ") -DCT- >";
  text += " EBBB (130)\r\nDetails:\r\nID FREQ TRK DIST Coords Name\r\n" +
          test::WithDegreeSign("EAAA 0 0 N50*30'00.00\" E008*15'00.00\" A\r\n", '*');
  for (int i = 0; i < 11; ++i)
    text += dest;
  test::WriteFile(root / "route.txt", text);
  const auto r = test::RunCli("convert --targets fsnav --app-dir '" + (root / "app").string() +
                              "' --fs9-dir '" + (root / "fs9").string() + "' '" +
                              (root / "route.txt").string() + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("do not fit an FSNavigator plan"), std::string::npos) << r.err;
  EXPECT_TRUE(fs::is_empty(root / "fs9/Modules/FSNavigator/plan"));
}

// What `convert` refuses before a run, and the input that gives no route:
// nothing is written, not even "route.txt".
TEST(CliConvert, RefusedChoicesAndInputsWriteNothing) {
  test::TempDir root;
  fs::create_directories(root / "app");
  fs::create_directories(root / "stdin is a folder");
  test::WriteFile(root / "empty.txt", "");
  const std::string folders = " --app-dir '" + (root / "app").string() + "' --fs9-dir '" +
                              (root / "fs9").string() + "' --documents-dir '" +
                              (root / "docs").string() + "'";
  const std::string route = " '" + (test::DataDir() / "example_route.txt").string() + "'";
  struct Case {
    std::string args;
    std::string stdin_file;
    int status;
    std::string err_start;
  };
  std::vector<Case> cases = {
      {"--targets fsx --sim fs9" + route, "", 2, "--targets: target fsx needs --sim fsx"},
      {"--targets fsx --sim xplane" + route, "", 2, "--targets: target fsx needs --sim fsx"},
      {"--plan-number 0x10" + route, "", 2, "--plan-number: not a plan number: 0x10"},
      {"--targets maddog", (root / "empty.txt").string(), 3, "standard input: empty\n"},
      {"--targets maddog -", (root / "empty.txt").string(), 3, "standard input: empty\n"},
  };
  if (!test::kOnWindows) {
    cases.push_back({"--targets maddog", (root / "stdin is a folder").string(), 3,
                     "standard input: Is a directory\n"});
  }
  for (const Case& c : cases) {
    const auto r = test::RunCli("convert " + c.args + folders, c.stdin_file);
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.err;
    EXPECT_NE(r.err.find(c.err_start), std::string::npos) << c.args << "\n" << r.err;
    EXPECT_EQ(r.out, "") << c.args;
    EXPECT_TRUE(fs::is_empty(root / "app")) << c.args;
  }
}

// "fsx" names the FSX plan and selects FSX; a text without a details list
// says so.
TEST(CliConvert, FsxTargetAndMissingDetailsList) {
  test::TempDir root;
  fs::create_directories(root / "app");
  fs::create_directories(root / "docs/Flight Simulator X Files");
  fs::create_directories(root / "fsx");
  test::WriteFile(root / "no details.txt", "Cruise altitude between FL330\r\nA > B\r\n");
  const std::string folders = " --app-dir '" + (root / "app").string() + "' --fs9-dir '" +
                              (root / "fs9").string() + "' --fsx-dir '" + (root / "fsx").string() +
                              "' --documents-dir '" + (root / "docs").string() + "' ";
  const auto fsx = test::RunCli("convert --targets fsx" + folders + "'" +
                                (test::DataDir() / "example_route.txt").string() + "'");
  const fs::path plan = root / "docs/Flight Simulator X Files/IFR ALPHA_INTL to BETA FIELD.pln";
  EXPECT_EQ(fsx.status, 0) << fsx.err;
  EXPECT_EQ(fsx.out, "File " + ShownPath(plan) + " created\n");

  const auto none = test::RunCli("convert --targets maddog" + folders + "'" +
                                 (root / "no details.txt").string() + "'");
  EXPECT_EQ(none.status, 3);
  EXPECT_NE(none.err.find("\nNo details list found"), std::string::npos) << none.err;
}

// A plan's note goes to standard error, and the plan is read and converted
// all the same.
TEST(CliConvert, APlanNoteOnStandardError) {
  const std::string note =
      "The plan counts 11 en-route points but lists 9; the 9 listed were read\n";
  const std::string plan = (test::DataDir() / "plans/mission_xplane11_numenr.fms").string();
  test::TempDir root;
  fs::create_directories(root / "app");
  fs::create_directories(root / "docs/Flight Simulator X Files");
  fs::create_directories(root / "fsx");
  const auto converted =
      test::RunCli("convert --targets fsx --app-dir '" + (root / "app").string() + "' --fsx-dir '" +
                   (root / "fsx").string() + "' --documents-dir '" + (root / "docs").string() +
                   "' '" + plan + "'");
  EXPECT_EQ(converted.status, 0) << converted.err;
  EXPECT_TRUE(converted.err.ends_with("\n" + note))
      << converted.err;  // after "wpNavApt.txt missing"
  EXPECT_EQ(converted.out,
            "File " + ShownPath(root / "docs/Flight Simulator X Files/IFR PHNL to PHOG.pln") +
                " created\n");
  const auto parsed = test::RunCli("parse '" + plan + "'");
  EXPECT_EQ(parsed.status, 0);
  EXPECT_EQ(parsed.err, note);
}

}  // namespace
}  // namespace korvanta
