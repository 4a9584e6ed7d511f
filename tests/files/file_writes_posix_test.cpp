// What the POSIX file system adds to the file writes: a run killed at any
// point leaves no empty or partial numbered plan, and a file replaced by root
// stays its owner's.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "files/file_output.hpp"
#include "files/numbered_file.hpp"
#include "io/utf8_path.hpp"
#include "test_support.hpp"

namespace korvanta {
namespace {

namespace fs = std::filesystem;

TEST(NumberedFileKill, AKilledWriterLeavesOnlyWholePlans) {
  test::TempDir dir;
  std::string plan;
  for (int row = 0; plan.size() < 256 * 1024; ++row)
    plan += "DIRECT WAYPOINT" + std::to_string(row) + "\r\n";
  const auto name = [](std::string_view number) {
    return RouteFileName{"LSZHLFPG", std::string(number) + ".rte"};
  };
  std::mt19937 random(20261209);
  std::uniform_int_distribution<int> microseconds(0, 4000);
  for (int round = 0; round < 30; ++round) {
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
      try {
        while (NumberedFile::Write(dir.path(), name, plan)) {
        }
      } catch (...) {
        ::_exit(1);
      }
      ::_exit(0);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(microseconds(random)));
    ::kill(writer, SIGKILL);
    int status = 0;
    ::waitpid(writer, &status, 0);
  }
  int plans = 0;
  for (const auto& entry : fs::directory_iterator(dir.path())) {
    const std::string file_name = PathToUtf8(entry.path().filename());
    if (file_name.starts_with(".korvanta-"))
      continue;  // a killed run's temporary file, removed by a later write
    ++plans;
    EXPECT_EQ(test::ReadFile(entry.path()).size(), plan.size()) << file_name;
  }
  EXPECT_GT(plans, 0);
}

TEST(WholeFileWrite, ReplacedFileKeepsItsOwnerAndGroup) {
  if (::geteuid() != 0)
    GTEST_SKIP() << "only root may give a file to another owner";
  test::TempDir dir;
  const fs::path gpx = dir / "LSZHLFPG.gpx";
  test::WriteFile(gpx, "old");
  constexpr uid_t kNobody = 65534;
  constexpr gid_t kNogroup = 65534;
  ASSERT_EQ(::chown(gpx.c_str(), kNobody, kNogroup), 0);
  ASSERT_EQ(::chmod(gpx.c_str(), 0640), 0);
  WriteWholeFile(gpx, "new");
  struct stat replaced {};
  ASSERT_EQ(::stat(gpx.c_str(), &replaced), 0);
  EXPECT_EQ(test::ReadFile(gpx), "new");
  EXPECT_EQ(replaced.st_uid, kNobody);
  EXPECT_EQ(replaced.st_gid, kNogroup);
  EXPECT_EQ(replaced.st_mode & 0777, 0640u);
}

}  // namespace
}  // namespace korvanta
