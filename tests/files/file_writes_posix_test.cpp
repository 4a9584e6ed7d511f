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
#include "files/killed_writer.hpp"
#include "files/numbered_file.hpp"
#include "io/file_read.hpp"
#include "io/utf8_path.hpp"
#include "test_support.hpp"

namespace korvanta {
namespace {

namespace fs = std::filesystem;

TEST(NumberedFileKill, AKilledWriterLeavesOnlyWholePlans) {
  test::TempDir dir;
  const std::string plan = test::KilledWriterPlan();
  std::mt19937 random(20261209);
  std::uniform_int_distribution<int> microseconds(0, 4000);
  for (int round = 0; round < 30; ++round) {
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
      try {
        while (NumberedFile::Write(dir.path(), test::KilledWriterName, plan)) {
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
  test::ExpectOnlyWholePlans(dir.path());
}

// A FIFO or a device where Korvanta reads a data file is refused at once
// instead of waiting for a writer or reading for ever; as the route input it
// is read up to the limit.
TEST(FileRead, NoRegularFileIsRefusedWithoutWaiting) {
  test::TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "PTT_APT.DAT").c_str(), 0600), 0);
  for (const fs::path& file : {dir / "PTT_APT.DAT", fs::path("/dev/zero")}) {
    const FileRead read = ReadFileBytes(file, 1 << 20);
    EXPECT_EQ(read.status, ReadStatus::kNotRegularFile) << file;
    EXPECT_EQ(ReadFailureText(file, read, 1 << 20), ShownPath(file) + " is not a regular file");
  }
  EXPECT_EQ(ReadInputBytes("/dev/zero", 5).bytes, std::string(5, '\0'));
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
