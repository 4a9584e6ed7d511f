// What the POSIX file system adds to the file writes: a file replaced by root
// stays its owner's.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "files/file_output.hpp"
#include "test_support.hpp"

namespace korvanta {
namespace {

namespace fs = std::filesystem;

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
