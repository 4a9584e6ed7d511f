// Two runs at the same time over the same folders: as two korvanta-cli
// processes, and as two runs on threads of one program. Neither may lose the
// other's plan in the Tu-154 plan store, nor write the numbered file the
// other took.

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/conversion_run.hpp"
#include "app/file_output.hpp"
#include "app/platform_files.hpp"
#include "app/tu154_slot.hpp"
#include "route/run_error.hpp"
#include "route/utf8_path.hpp"
#include "test_support.hpp"

#ifndef _WIN32
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
extern char** environ;
#endif

namespace korvanta {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr int kProcessRounds = 15;
constexpr int kThreadRounds = 10;

// A store large enough that reading and merging it takes a while: every plan
// number but the two the runs file, each with many points.
std::string LargeStore() {
  std::string store = "; plans of the KLN 90B\r\n";
  for (int plan = 1; plan <= 25; ++plan) {
    store += fmt::format("[FPL.{}]\r\n", plan);
    for (int point = 0; point < 300; ++point) {
      store += fmt::format("Point.{}=TYPE=[2] ICAO_ID=[P{:03}] Lat=[55.{}] Lon=[37.{}]\r\n", point,
                           plan, point, point);
    }
    store += "PointsCount=300\r\n";
  }
  return store;
}

// A simulator tree with the KLN 90B data, a PMDG and an FSNavigator folder.
struct Tree {
  test::TempDir root;
  fs::path app = root / "app";
  fs::path docs = root / "docs";
  fs::path fs9 = root / "fs9";
  fs::path kln = fs9 / "PTT_KLN90B";
  fs::path pmdg = fs9 / "Pmdg/Flightplans";
  fs::path fsnav = fs9 / "Modules/FSNavigator/plan";
  std::string initial_store = LargeStore();

  Tree() {
    for (const auto& f : {app, docs, kln, pmdg, fsnav})
      fs::create_directories(f);
    for (const auto& entry : fs::directory_iterator(test::DataDir() / "kln90b"))
      fs::copy_file(entry.path(), kln / entry.path().filename());
    ResetStore();
  }
  void ResetStore() const { test::WriteFile(kln / "FPLS.DAT", initial_store); }
  std::string Store() const { return test::ReadFile(kln / "FPLS.DAT"); }
};

std::string RouteText() {
  return test::ReadFile(test::DataDir() / "nav_route.txt");
}

// After `rounds` rounds of two runs: one numbered file per run in each
// numbered folder, all whole, and no temporary file left anywhere.
void ExpectOneNumberedFilePerRun(const Tree& t, int rounds) {
  struct Folder {
    fs::path path;
    std::string name;  // with {:03} for the number
  };
  for (const Folder& f :
       {Folder{t.pmdg, "EAAAEBBB{:03}.rte"}, Folder{t.fsnav, "EAAA-EBBB{:03}.fsn"}}) {
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(f.path))
      ++files;
    EXPECT_EQ(files, static_cast<std::size_t>(2 * rounds)) << PathToUtf8(f.path);
    const std::string first = test::ReadFile(f.path / fmt::format(fmt::runtime(f.name), 1));
    EXPECT_FALSE(first.empty());
    for (int n = 2; n <= 2 * rounds; ++n) {
      const fs::path file = f.path / fmt::format(fmt::runtime(f.name), n);
      EXPECT_EQ(test::ReadFile(file), first) << PathToUtf8(file);
    }
  }
  for (const auto& e : fs::recursive_directory_iterator(t.root.path())) {
    EXPECT_EQ(PathToUtf8(e.path().filename()).rfind(".korvanta-", 0), std::string::npos)
        << PathToUtf8(e.path());
  }
}

// ---------------------------------------------------------------------------
// Two korvanta-cli processes.

#ifndef _WIN32
struct Started {
  pid_t pid = -1;
  fs::path out;
};

Started StartConvert(const Tree& t, int plan_number, const std::string& targets,
                     const fs::path& out) {
  std::vector<std::string> args = {KORVANTA_CLI_PATH,
                                   "convert",
                                   "--targets",
                                   targets,
                                   "--plan-number",
                                   std::to_string(plan_number),
                                   "--app-dir",
                                   t.app.string(),
                                   "--fs9-dir",
                                   t.fs9.string(),
                                   "--documents-dir",
                                   t.docs.string(),
                                   (test::DataDir() / "nav_route.txt").string()};
  std::vector<char*> argv;
  for (auto& a : args)
    argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  Started started;
  started.out = out;
  if (posix_spawn(&started.pid, KORVANTA_CLI_PATH, &actions, nullptr, argv.data(), environ) != 0)
    started.pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return started;
}

int WaitFor(const Started& started) {
  int status = 0;
  if (started.pid < 0 || waitpid(started.pid, &status, 0) != started.pid)
    return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

TEST(TwoRunsAtOnce, TwoProcessesKeepBothPlansAndTakeTheirOwnNumbers) {
#ifdef _WIN32
  GTEST_SKIP() << "starts the command line as POSIX processes";
#else
  Tree t;
  // Filed one after the other, plans 3 and 5 give the store every round
  // must end with, whichever run comes first.
  for (const int plan : {3, 5}) {
    const Started run = StartConvert(t, plan, "tu154", t.root / "out");
    ASSERT_EQ(WaitFor(run), 0) << test::ReadFile(run.out);
  }
  const std::string expected_store = t.Store();
  ASSERT_NE(expected_store, t.initial_store);

  for (int round = 0; round < kProcessRounds; ++round) {
    t.ResetStore();
    const Started three = StartConvert(t, 3, "pmdg,fsnav,tu154", t.root / "out3");
    const Started five = StartConvert(t, 5, "pmdg,fsnav,tu154", t.root / "out5");
    ASSERT_EQ(WaitFor(three), 0) << round;
    ASSERT_EQ(WaitFor(five), 0) << round;
    // Compared whole, reported short (the store is large).
    ASSERT_TRUE(t.Store() == expected_store) << "a plan was lost in round " << round;
    for (const auto& [run, plan] : {std::pair{three, 3}, std::pair{five, 5}}) {
      const std::string out = test::ReadFile(run.out);
      EXPECT_NE(out.find(fmt::format("File FPLS.DAT plan {} created\n", plan)), std::string::npos)
          << out;
    }
  }
  ExpectOneNumberedFilePerRun(t, kProcessRounds);
#endif
}

// ---------------------------------------------------------------------------
// Two runs on threads of one program (also where processes cannot be
// started the POSIX way).

class QuietFrontEnd : public FrontEnd {
 public:
  std::vector<std::string> messages;
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::optional<fs::path> ChooseSaveFile(const fs::path&) override { return std::nullopt; }
  void SetStatus(const std::string&) override {}
  void OpenDocument(const fs::path&) override {}
};

TEST(TwoRunsAtOnce, TwoThreadsKeepBothPlansAndTakeTheirOwnNumbers) {
  Tree t;
  FixedFolderSource source;
  source.personal = t.docs;
  source.fs9 = t.fs9;
  const FolderSet folders = BuildFolderSet(t.app, source);
  const AirportDatabase airports;
  const std::string text = RouteText();
  const auto run_plan = [&](int plan, std::set<Target> targets) {
    QuietFrontEnd front;
    ConversionRun run(folders, airports, front);
    RunChoices choices;
    choices.ticked = std::move(targets);
    choices.plan_number = plan;
    const RunOutcome outcome = run.Run(text, choices);
    EXPECT_EQ(outcome.end, RunEnd::kCompleted)
        << plan << ": " << (front.messages.empty() ? "" : front.messages.back());
  };
  run_plan(3, {Target::kTu154});
  run_plan(5, {Target::kTu154});
  const std::string expected_store = t.Store();
  ASSERT_NE(expected_store, t.initial_store);

  const std::set<Target> all = {Target::kPmdg, Target::kFsNavigator, Target::kTu154};
  for (int round = 0; round < kThreadRounds; ++round) {
    t.ResetStore();
    std::thread three(run_plan, 3, all);
    std::thread five(run_plan, 5, all);
    three.join();
    five.join();
    // Compared whole, reported short (the store is large).
    ASSERT_TRUE(t.Store() == expected_store) << "a plan was lost in round " << round;
  }
  ExpectOneNumberedFilePerRun(t, kThreadRounds);
}

// ---------------------------------------------------------------------------
// The store's lock, held by another run that does not finish in time.

TEST(PlanStoreLock, ARunThatCannotGetTheStoreEndsNamingItAndChangesNothing) {
  test::TempDir dir;
  const std::string old_store = "[FPL.1]\r\nold\r\n";
  const std::string plan = "[FPL.3]\r\nnew\r\n";
  test::WriteFile(dir / "FPLS.DAT", old_store);
  const auto write = [](const fs::path& file, std::string_view bytes) {
    WriteWholeFile(file, bytes);
  };
  {
    const FileLock other_run(dir / "FPLS.DAT.lock", 0ms);
    ASSERT_EQ(other_run.Result(), FileLock::State::kLocked);
    try {
      FileTu154Plan(dir.path(), plan, write, 50ms);
      ADD_FAILURE() << "filed while another run held the store";
    } catch (const RunError& e) {
      EXPECT_EQ(std::string(e.what()), "The plan store " + PathToUtf8(dir / "FPLS.DAT") +
                                           " is in use by another run; gave up after 50 ms");
    }
    EXPECT_EQ(test::ReadFile(dir / "FPLS.DAT"), old_store);
    EXPECT_FALSE(fs::exists(dir / "FPLS.BAK"));
  }
  // Once the other run is done the plan is filed; the lock file stays.
  FileTu154Plan(dir.path(), plan, write, 50ms);
  EXPECT_EQ(test::ReadFile(dir / "FPLS.DAT"), old_store + plan);
  EXPECT_TRUE(fs::exists(dir / "FPLS.DAT.lock"));
}

}  // namespace
}  // namespace korvanta
