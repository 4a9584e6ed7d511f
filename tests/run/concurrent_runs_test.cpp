// Two runs at the same time over the same folders, as two korvanta-cli
// processes and as two runs on threads of one program: neither may lose the
// other's plan in the Tu-154 plan store, nor write the numbered file the
// other took.

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "errors/run_error.hpp"
#include "files/file_output.hpp"
#include "files/plan_store.hpp"
#include "files/platform_files.hpp"
#include "io/utf8_path.hpp"
#include "run/conversion_run.hpp"
#include "stand_in_front_end.hpp"
#include "test_support.hpp"
#include "writers/tu154_store.hpp"

#ifndef _WIN32
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
extern char** environ;
#endif

namespace korvanta {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A simulator tree with the KLN 90B data, a PMDG and an FSNavigator folder,
// and a plan store large enough that filing into it takes a while.
struct Tree {
  test::TempDir root;
  fs::path app = root / "app";
  fs::path fs9 = root / "fs9";
  fs::path kln = fs9 / "PTT_KLN90B";
  fs::path pmdg = fs9 / "Pmdg/Flightplans";
  fs::path fsnav = fs9 / "Modules/FSNavigator/plan";
  std::string initial_store = "; plans of the KLN 90B\r\n";

  Tree() {
    for (const auto& f : {app, kln, pmdg, fsnav})
      fs::create_directories(f);
    for (const auto& entry : fs::directory_iterator(test::DataDir() / "kln90b"))
      fs::copy_file(entry.path(), kln / entry.path().filename());
    for (int plan = 1; plan <= 25; ++plan) {
      initial_store += fmt::format("[FPL.{}]\r\n", plan);
      for (int point = 0; point < 300; ++point)
        initial_store += fmt::format("Point.{}=TYPE=[2] ICAO_ID=[P{:03}]\r\n", point, plan);
    }
    ResetStore();
  }
  void ResetStore() const { test::WriteFile(kln / "FPLS.DAT", initial_store); }
  std::string Store() const { return test::ReadFile(kln / "FPLS.DAT"); }
};

// Starts a run that files plan `plan` (and writes the PMDG and FSNavigator
// plans); the function it returns waits for the run's end.
using StartRun = std::function<std::function<void()>(int plan)>;

void ExpectTwoRunsAtOnceLoseNothing(const Tree& t, int rounds, const StartRun& start) {
  // One after the other, plans 3 and 5 give the store every round must end
  // with, whichever run comes first.
  start(3)();
  start(5)();
  const std::string expected_store = t.Store();
  ASSERT_NE(expected_store, t.initial_store);
  for (int round = 0; round < rounds; ++round) {
    t.ResetStore();
    const auto three = start(3);
    const auto five = start(5);
    three();
    five();
    // Compared whole, reported short (the store is large).
    ASSERT_TRUE(t.Store() == expected_store) << "a plan was lost in round " << round;
  }
  // One numbered file per run, each whole; no temporary file anywhere.
  const int runs = 2 * (rounds + 1);
  for (const auto& [folder, name] :
       {std::pair{t.pmdg, "EAAAEBBB{:03}.rte"}, std::pair{t.fsnav, "EAAA-EBBB{:03}.fsn"}}) {
    const std::string first = test::ReadFile(folder / fmt::format(fmt::runtime(name), 1));
    EXPECT_FALSE(first.empty());
    for (int n = 2; n <= runs; ++n)
      EXPECT_EQ(test::ReadFile(folder / fmt::format(fmt::runtime(name), n)), first) << n;
    EXPECT_FALSE(fs::exists(folder / fmt::format(fmt::runtime(name), runs + 1)));
  }
  for (const auto& e : fs::recursive_directory_iterator(t.root.path()))
    EXPECT_NE(PathToUtf8(e.path().filename()).rfind(".korvanta-", 0), 0u);
}

TEST(TwoRunsAtOnce, TwoProcesses) {
#ifdef _WIN32
  GTEST_SKIP() << "starts the command line as POSIX processes";
#else
  Tree t;
  ExpectTwoRunsAtOnceLoseNothing(t, 15, [&t](int plan) -> std::function<void()> {
    std::vector<std::string> args = {KORVANTA_CLI_PATH,
                                     "convert",
                                     "--targets",
                                     "pmdg,fsnav,tu154",
                                     "--plan-number",
                                     std::to_string(plan),
                                     "--app-dir",
                                     t.app.string(),
                                     "--fs9-dir",
                                     t.fs9.string(),
                                     "--documents-dir",
                                     (t.root / "docs").string(),
                                     (test::DataDir() / "nav_route.txt").string()};
    std::vector<char*> argv;
    for (auto& a : args)
      argv.push_back(a.data());
    argv.push_back(nullptr);
    const fs::path out = t.root / fmt::format("out{}", plan);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int spawned =
        posix_spawn(&pid, KORVANTA_CLI_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return [=] {
      int status = -1;
      ASSERT_EQ(spawned, 0);
      ASSERT_EQ(waitpid(pid, &status, 0), pid);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << plan;
      EXPECT_NE(test::ReadFile(out).find(fmt::format("File FPLS.DAT plan {} created\n", plan)),
                std::string::npos);
    };
  });
#endif
}

TEST(TwoRunsAtOnce, TwoThreads) {
  Tree t;
  FixedFolderSource source;
  source.fs9 = t.fs9;
  const FolderSet folders = BuildFolderSet(t.app, source);
  const AirportDatabase airports;
  const std::string text = test::ReadFile(test::DataDir() / "nav_route.txt");
  const auto run = [&](int plan) {
    test::StandInFrontEnd front;
    ConversionRun conversion(folders, airports, front);
    RunChoices choices;
    choices.ticked = {Target::kPmdg, Target::kFsNavigator, Target::kTu154};
    choices.plan_number = plan;
    EXPECT_EQ(conversion.Run(text, choices).end, RunEnd::kCompleted) << plan;
    EXPECT_EQ(front.Messages(), std::vector<std::string>{}) << plan;
  };
  ExpectTwoRunsAtOnceLoseNothing(t, 10, [&run](int plan) -> std::function<void()> {
    auto thread = std::make_shared<std::thread>(run, plan);
    return [thread] { thread->join(); };
  });
}

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
      FileIntoPlanStore(dir.path() / "FPLS.DAT", plan, MergePlanStore, write, 50ms);
      ADD_FAILURE() << "filed while another run held the store";
    } catch (const RunError& e) {
      EXPECT_EQ(std::string(e.what()), "The plan store " + PathToUtf8(dir / "FPLS.DAT") +
                                           " is in use by another run; gave up after 50 ms");
    }
    EXPECT_EQ(test::ReadFile(dir / "FPLS.DAT"), old_store);
    EXPECT_FALSE(fs::exists(dir / "FPLS.BAK"));
  }
  // Once the other run is done the plan is filed; the lock file stays.
  FileIntoPlanStore(dir.path() / "FPLS.DAT", plan, MergePlanStore, write, 50ms);
  EXPECT_EQ(test::ReadFile(dir / "FPLS.DAT"), old_store + plan);
  EXPECT_TRUE(fs::exists(dir / "FPLS.DAT.lock"));
}

// The words of a run that gave up waiting, checked on the text alone: the
// contention itself is checked above with a short wait.
TEST(PlanStoreLock, TheWaitIsNamedInWords) {
  const std::pair<std::chrono::milliseconds, std::string> cases[] = {
      {1000ms, "1 second"}, {10000ms, "10 seconds"}, {2000ms, "2 seconds"},
      {1500ms, "1500 ms"},  {50ms, "50 ms"},
  };
  for (const auto& [wait, words] : cases)
    EXPECT_EQ(LockWaitText(wait), words) << wait.count();
}

TEST(PlanStoreLock, ALockThatCannotBeHadNamesWhyAndChangesNothing) {
  const std::string old_store = "[FPL.1]\r\nold\r\n";
  test::TempDir dir;
  test::WriteFile(dir / "FPLS.DAT", old_store);
  fs::create_directories(dir / "FPLS.DAT.lock" / "x");
  const std::string start = "Cannot lock the plan store " + PathToUtf8(dir / "FPLS.DAT") + ": ";
  try {
    FileIntoPlanStore(
        dir.path() / "FPLS.DAT", "[FPL.3]\r\nnew\r\n", MergePlanStore,
        [](const fs::path& file, std::string_view bytes) { WriteWholeFile(file, bytes); });
    ADD_FAILURE() << "filed without the lock";
  } catch (const RunError& error) {
    const std::string message = error.what();
    EXPECT_EQ(message.substr(0, start.size()), start);
    EXPECT_GT(message.size(), start.size()) << "the system's reason is missing";
  }
  EXPECT_EQ(test::ReadFile(dir / "FPLS.DAT"), old_store);
  EXPECT_FALSE(fs::exists(dir / "FPLS.BAK"));
}

// Wine takes the Windows build's lock as a POSIX record lock (here one of
// the first byte, as the Windows build asks for); the Linux build waits for it.
TEST(PlanStoreLock, WaitsForARecordLockOfAnotherProgram) {
  KORVANTA_LINUX_ONLY("holds the lock with a Linux program");
  KORVANTA_REQUIRE_TOOL("python3", "python3");
  test::TempDir dir;
  const fs::path lock_file = dir / "FPLS.DAT.lock";
  const fs::path locked = dir / "locked";
  const std::string program =
      "import fcntl, sys, time\n"
      "f = open(sys.argv[1], 'a+')\n"
      "fcntl.lockf(f, fcntl.LOCK_EX, 1, 0)\n"
      "open(sys.argv[2], 'w').close()\n"
      "time.sleep(1.5)\n";
  ASSERT_EQ(std::system(("python3 -c \"" + program + "\" '" + lock_file.string() + "' '" +
                         locked.string() + "' &")
                            .c_str()),
            0);
  for (int tries = 0; tries < 500 && !fs::exists(locked); ++tries)
    std::this_thread::sleep_for(20ms);
  ASSERT_TRUE(fs::exists(locked));
  EXPECT_EQ(FileLock(lock_file, 100ms).Result(), FileLock::State::kTimedOut);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(FileLock(lock_file, 10s).Result(), FileLock::State::kLocked);
  EXPECT_GT(std::chrono::steady_clock::now() - start, 200ms) << "took the lock while held";
}

// A named pipe in the place of the lock file or the store would hold the run
// for ever; a dangling link would make it create the file where the link
// points. Neither is followed nor opened; the store stays as it was.
TEST(PlanStoreLock, OnlyRegularFilesAreLockedAndMergedInto) {
#ifdef _WIN32
  GTEST_SKIP() << "named pipes and links of the POSIX file system";
#else
  const auto write = [](const fs::path& file, std::string_view bytes) {
    WriteWholeFile(file, bytes);
  };
  for (const std::string name : {"FPLS.DAT.lock", "FPLS.DAT"}) {
    for (const bool pipe : {true, false}) {
      test::TempDir dir;
      const fs::path folder = dir / "kln";
      fs::create_directories(folder);
      if (pipe)
        ASSERT_EQ(::mkfifo((folder / name).c_str(), 0666), 0);
      else
        fs::create_symlink(dir / "elsewhere", folder / name);
      const std::string store = PathToUtf8(folder / "FPLS.DAT");
      const std::string expected = name == "FPLS.DAT" ? store + " is not a regular file"
                                                      : "Cannot lock the plan store " + store +
                                                            ": FPLS.DAT.lock is not a regular file";
      try {
        FileIntoPlanStore(folder / "FPLS.DAT", "[FPL.3]\r\nnew\r\n", MergePlanStore, write, 50ms);
        ADD_FAILURE() << "filed into " << name;
      } catch (const RunError& e) {
        EXPECT_EQ(std::string(e.what()), expected);
      }
      EXPECT_FALSE(fs::exists(dir / "elsewhere")) << name;
      EXPECT_EQ(fs::symlink_status(folder / name).type(),
                pipe ? fs::file_type::fifo : fs::file_type::symlink);
    }
  }
#endif
}

}  // namespace
}  // namespace korvanta
