#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/conversion_run.hpp"
#include "app/file_output.hpp"
#include "route/run_error.hpp"
#include "test_support.hpp"
#include "writers/fs2004.hpp"

namespace korvanta {
namespace {

// Records what the run asks of its front end, in order.
class RecordingFrontEnd : public FrontEnd {
 public:
  std::vector<std::string> events;
  std::optional<std::filesystem::path> dialog_answer;

  void ShowMessage(const std::string& text) override { events.push_back("message: " + text); }
  std::optional<std::filesystem::path> ChooseSaveFile(
      const std::filesystem::path& folder) override {
    events.push_back("dialog: " + folder.string());
    return dialog_answer;
  }
  void SetStatus(const std::string& text) override { events.push_back("status: " + text); }
  void OpenDocument(const std::filesystem::path& file) override {
    events.push_back("open: " + file.string());
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> out;
    for (const auto& e : events) {
      if (e.rfind("message: ", 0) == 0)
        out.push_back(e.substr(9));
    }
    return out;
  }
};

// A program folder and a simulator tree in a temporary folder.
struct Tree {
  test::TempDir dir;
  FolderSet folders;
  AirportDatabase airports;
  RecordingFrontEnd front;

  Tree() {
    for (const char* sub :
         {"app", "docs/Flight Simulator Files", "fs9/isg/FlightPlans", "fsx/isg/FlightPlans"}) {
      std::filesystem::create_directories(dir / sub);
    }
    FixedFolderSource source;
    source.personal = dir / "docs";
    source.fs9 = dir / "fs9";
    source.fsx = dir / "fsx";
    folders = BuildFolderSet(dir / "app", source);
    LoadAirportLines(test::ReadFile(test::DataDir() / "wpNavApt.txt"), airports);
  }
  std::filesystem::path operator/(const std::string& name) const { return dir / name; }
};

std::string ExampleText() {
  return test::ReadFile(test::DataDir() / "example_route.txt");
}

RunChoices Fs2004(Simulator sim = Simulator::kFs9) {
  RunChoices c;
  c.ticked = {Target::kFs2004};
  c.simulator = sim;
  return c;
}

TEST(ConversionRun, NothingTickedOnlyCopiesTheRouteText) {
  Tree t;
  ConversionRun run(t.folders, t.airports, t.front);
  // A previous route's copy must survive a run of another route.
  test::WriteFile(t / "fs9/routes/EXXXEYYY.rts", "older route");
  const RunOutcome out = run.Run(ExampleText(), RunChoices{});
  EXPECT_EQ(out.end, RunEnd::kCompleted);
  EXPECT_FALSE(out.parse_failed);
  EXPECT_TRUE(t.front.events.empty());
  const std::string route_txt = test::ReadFile(t / "app/route.txt");
  EXPECT_EQ(route_txt, ExampleText());
  EXPECT_EQ(test::ReadFile(t / "fs9/routes/EAAAEBBB.rts"), route_txt);
  EXPECT_EQ(test::ReadFile(t / "fs9/routes/EXXXEYYY.rts"), "older route");
}

TEST(ConversionRun, RouteTextIsKeptWithCrLf) {
  Tree t;
  ConversionRun run(t.folders, t.airports, t.front);
  run.Run("line one\nline two\rline three", RunChoices{});
  EXPECT_EQ(test::ReadFile(t / "app/route.txt"), "line one\r\nline two\r\nline three\r\n");
}

TEST(ConversionRun, WrongTextShowsOneMessageAndWritesNoPlan) {
  struct Case {
    std::string text;
    std::set<Target> ticked;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"", {Target::kFs2004}, {"Wrong format"}},
      {"", {}, {"Wrong format"}},
      {"hello\r\n", {Target::kFs2004}, {"Wrong format"}},
      // No details list: a quiet failure.
      {"Cruise altitude between FL330\r\nA > B\r\n", {Target::kFs2004}, {}},
  };
  for (const auto& c : cases) {
    Tree t;
    ConversionRun run(t.folders, t.airports, t.front);
    RunChoices choices;
    choices.ticked = c.ticked;
    const RunOutcome out = run.Run(c.text, choices);
    EXPECT_EQ(out.end, RunEnd::kCompleted);
    EXPECT_TRUE(out.parse_failed);
    EXPECT_EQ(t.front.Messages(), c.messages) << c.text;
    EXPECT_FALSE(std::filesystem::exists(t / "app/temp.tmp"));
    EXPECT_FALSE(std::filesystem::exists(t / "fs9/routes"));
  }
}

TEST(ConversionRun, FirstBlockWritesPlanTextIsgRouteAndCopy) {
  Tree t;
  ConversionRun run(t.folders, t.airports, t.front);
  RunChoices choices = Fs2004();
  choices.runway = "25L";
  const RunOutcome out = run.Run(ExampleText(), choices);
  ASSERT_EQ(out.end, RunEnd::kCompleted) << ::testing::PrintToString(t.front.events);
  const std::string plan = test::ReadFile(t / "app/temp.tmp");
  EXPECT_EQ(plan, WriteFs2004Plan(run.Header(), run.Rm(), "25L").plan_text);
  EXPECT_EQ(test::ReadFile(t / "docs/Flight Simulator Files/IFR ALPHA_INTL to BETA FIELD.pln"),
            plan);
  EXPECT_TRUE(std::filesystem::exists(t / "fs9/isg/FlightPlans/default.rte"));
  EXPECT_TRUE(std::filesystem::exists(t / "fs9/routes/EAAAEBBB.rts"));
  EXPECT_TRUE(t.front.events.empty());  // the first block sets no status
}

TEST(ConversionRun, SimulatorFoldersFollowTheSelectionOfEachRun) {
  Tree t;
  ConversionRun run(t.folders, t.airports, t.front);
  RunChoices nothing;
  nothing.simulator = Simulator::kFsx;
  run.Run(ExampleText(), nothing);
  EXPECT_TRUE(std::filesystem::exists(t / "fsx/routes/EAAAEBBB.rts"));
  EXPECT_FALSE(std::filesystem::exists(t / "fs9/routes/EAAAEBBB.rts"));

  // Back to FS9: the FS9 folders apply at once.
  run.Run(ExampleText(), Fs2004());
  EXPECT_TRUE(std::filesystem::exists(t / "fs9/routes/EAAAEBBB.rts"));
  EXPECT_TRUE(std::filesystem::exists(t / "fs9/isg/FlightPlans/default.rte"));
  EXPECT_FALSE(std::filesystem::exists(t / "fsx/isg/FlightPlans/default.rte"));
  EXPECT_EQ(t.folders.Fs9Dir, t / "fs9");
}

TEST(ConversionRun, Super80CopyComesFromThisRunsPlan) {
  Tree t;
  test::WriteFile(t / "app/temp.tmp", "stale plan of an earlier run");
  ConversionRun run(t.folders, t.airports, t.front);
  RunChoices choices = Fs2004();
  choices.super80 = true;
  choices.plan_number = 42;
  ASSERT_EQ(run.Run(ExampleText(), choices).end, RunEnd::kCompleted);
  const std::string super80 = test::ReadFile(t / "docs/Flight Simulator Files/eaaa-ebbb-42.pln");
  EXPECT_NE(super80.find("departure_name=EAAA\r\n"), std::string::npos);
  EXPECT_EQ(test::ReadFile(t / "docs/Flight Simulator Files/IFR EAAA to EBBB.pln"), super80);
  EXPECT_EQ(test::ReadFile(t / "app/temp.tmp"), "stale plan of an earlier run");
}

TEST(ConversionRun, AFailureEndsTheRunAndKeepsEarlierFiles) {
  Tree t;
  // The plan copy's name is taken by a folder: its write fails after
  // "temp.tmp" and the ISG route have been written.
  const auto blocked = t / "docs/Flight Simulator Files/IFR ALPHA_INTL to BETA FIELD.pln";
  std::filesystem::create_directories(blocked / "inside");
  ConversionRun run(t.folders, t.airports, t.front);
  const RunOutcome out = run.Run(ExampleText(), Fs2004());
  EXPECT_EQ(out.end, RunEnd::kFailed);
  const auto messages = t.front.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find(blocked.string()), std::string::npos) << messages[0];
  EXPECT_TRUE(std::filesystem::exists(t / "app/temp.tmp"));
  EXPECT_TRUE(std::filesystem::exists(t / "fs9/isg/FlightPlans/default.rte"));
  EXPECT_TRUE(std::filesystem::exists(blocked / "inside"));
  EXPECT_FALSE(std::filesystem::exists(t / "fs9/routes"));  // no later step ran
  for (const auto& entry : std::filesystem::directory_iterator(t / "docs/Flight Simulator Files")) {
    EXPECT_EQ(entry.path(), blocked) << "partial file left: " << entry.path();
  }
}

TEST(ConversionRun, Super80IntoAMissingFolderIsReported) {
  Tree t;
  std::filesystem::remove_all(t / "docs/Flight Simulator Files");
  ConversionRun run(t.folders, t.airports, t.front);
  RunChoices choices = Fs2004();
  choices.super80 = true;
  EXPECT_EQ(run.Run(ExampleText(), choices).end, RunEnd::kFailed);
  ASSERT_EQ(t.front.Messages().size(), 1u);
  EXPECT_NE(t.front.Messages()[0].find("eaaa-ebbb-661.pln"), std::string::npos);
}

TEST(FileOutput, SafeNamesStayInTheirFolder) {
  struct Case {
    std::string name, safe;
  };
  const Case cases[] = {
      {"IFR A to B.pln", "IFR A to B.pln"},
      {"../../etc/passwd", ".._.._etc_passwd"},
      {"a\\b:c*d?e\"f<g>h|i", "a_b_c_d_e_f_g_h_i"},
      {"tab\there", "tab_here"},
      {"Z\xFCrich", "Z\xC3\xBCrich"},  // Windows-1252 to the file system's UTF-8
  };
  for (const auto& c : cases)
    EXPECT_EQ(SafeFileName(c.name).string(), c.safe);
  for (const char* bad : {"", ".", ".."})
    EXPECT_THROW(SafeFileName(bad), RunError) << bad;
}

TEST(FileOutput, AFailedWriteLeavesTheOldFile) {
  test::TempDir dir;
  test::WriteFile(dir / "plan.rte", "old");
  WriteWholeFile(dir / "plan.rte", "new");
  EXPECT_EQ(test::ReadFile(dir / "plan.rte"), "new");
  EXPECT_THROW(WriteWholeFile(dir / "missing/plan.rte", "x"), RunError);
  WriteWholeFile(dir / "made/plan.rte", "x", true);
  EXPECT_EQ(test::ReadFile(dir / "made/plan.rte"), "x");
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
    ++files;
  EXPECT_EQ(files, 2u);  // no temporary file left behind
}

}  // namespace
}  // namespace korvanta
