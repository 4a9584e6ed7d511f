#include "settings/app_dir.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "io/utf8_path.hpp"
#include "settings/folder_set.hpp"
#include "test_support.hpp"

namespace korvanta {
namespace {

// The program's folder is its executable's folder when files can be made
// there, else the per-user data folder, made on first use; trying leaves
// nothing behind.
TEST(app_dir, ExecutableFolderWhenWritableElseUserDataFolder) {
  const test::TempDir dir;
  const char* old = std::getenv("XDG_DATA_HOME");
  const std::string old_xdg = old ? old : "";
  if (!test::kOnWindows)
    test::SetEnvironment("XDG_DATA_HOME", PathToUtf8(dir / "data"));

  const auto writable = dir / "bin";
  std::filesystem::create_directories(writable);
  EXPECT_EQ(DefaultAppDir(writable / "korvanta-cli.exe"), writable);
  EXPECT_TRUE(std::filesystem::is_empty(writable));

  const auto fallback = DefaultAppDir(dir / "missing" / "korvanta-cli.exe");
  EXPECT_EQ(fallback, UserDataFolder());
  EXPECT_EQ(PathToUtf8(fallback.filename()), test::kOnWindows ? "Korvanta" : "korvanta");
  EXPECT_TRUE(std::filesystem::is_directory(fallback));
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
  if (!test::kOnWindows) {
    EXPECT_EQ(fallback, dir / "data" / "korvanta");
    test::SetEnvironment("XDG_DATA_HOME", old_xdg);
  }
}

TEST(app_dir, NoFilesInAFileOrAnEmptyFolderName) {
  const test::TempDir dir;
  test::WriteFile(dir / "file", "x");
  EXPECT_FALSE(CanCreateFilesIn(dir / "file"));
  EXPECT_FALSE(CanCreateFilesIn({}));
  EXPECT_TRUE(CanCreateFilesIn(dir.path()));
}

}  // namespace
}  // namespace korvanta
