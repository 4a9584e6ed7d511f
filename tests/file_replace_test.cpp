// The whole-file write and the file-system steps under it: what a replaced
// file keeps, what a failure leaves, exclusive creation and the lock file.

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/file_output.hpp"
#include "app/numbered_file.hpp"
#include "app/platform_files.hpp"
#include "route/run_error.hpp"
#include "route/utf8_path.hpp"
#include "test_support.hpp"

namespace korvanta {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

#ifdef _WIN32
constexpr bool kPermissionBits = false;
#else
constexpr bool kPermissionBits = true;
#endif

// The names in `folder`, sorted.
std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(PathToUtf8(entry.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

TEST(WholeFileWrite, ReplacedFileKeepsItsPermissionBits) {
  if (!kPermissionBits)
    GTEST_SKIP() << "no permission bits on this platform";
  const fs::perms cases[] = {
      fs::perms::owner_read | fs::perms::owner_write,
      fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
      fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec,
      fs::perms::owner_read,  // a read-only plan is still replaced, and stays read-only
  };
  for (const fs::perms mode : cases) {
    test::TempDir dir;
    const fs::path plan = dir / "plan.rte";
    test::WriteFile(plan, "old");
    fs::permissions(plan, mode);
    WriteWholeFile(plan, "new contents");
    EXPECT_EQ(test::ReadFile(plan), "new contents");
    EXPECT_EQ(fs::status(plan).permissions(), mode) << static_cast<int>(mode);
  }
}

TEST(WholeFileWrite, HardLinkKeepsTheOldContents) {
  test::TempDir dir;
  test::WriteFile(dir / "plan.rte", "old");
  std::error_code ec;
  fs::create_hard_link(dir / "plan.rte", dir / "link.rte", ec);
  if (ec)
    GTEST_SKIP() << "no hard links here: " << ec.message();
  WriteWholeFile(dir / "plan.rte", "new");
  EXPECT_EQ(test::ReadFile(dir / "plan.rte"), "new");
  EXPECT_EQ(test::ReadFile(dir / "link.rte"), "old");
}

// Every failure names the file (in UTF-8, whatever the platform), leaves what
// stood there and leaves no temporary file.
TEST(WholeFileWrite, FailureLeavesTheOldStateAndNoTemporaryFile) {
  struct Case {
    std::string what;
    std::string name;  // UTF-8, below the test folder
    std::string message_start;
  };
  const std::vector<Case> cases = {
      {"a folder stands where the file goes",
       "Z\xC3\x9C"
       "RICH.rte",
       "Cannot write "},
      {"a file stands where its folder goes", "blocker/plan.rte", "Cannot create "},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    fs::create_directories(dir.path() /
                           PathFromUtf8("Z\xC3\x9C"
                                        "RICH.rte") /
                           "inside");
    test::WriteFile(dir / "blocker", "a file");
    const std::vector<std::string> before = Names(dir.path());
    const fs::path target = dir.path() / PathFromUtf8(c.name);
    try {
      WriteWholeFile(target, "bytes");
      ADD_FAILURE() << c.what << ": no error";
    } catch (const RunError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.message_start + PathToUtf8(target) + ": ", 0), 0u)
          << c.what << ": " << e.what();
    }
    EXPECT_EQ(Names(dir.path()), before) << c.what;
    EXPECT_TRUE(fs::is_directory(dir.path() /
                                 PathFromUtf8("Z\xC3\x9C"
                                              "RICH.rte") /
                                 "inside"))
        << c.what;
    EXPECT_EQ(test::ReadFile(dir / "blocker"), "a file") << c.what;
  }
}

TEST(ExclusiveCreate, OnlyANameNothingHoldsIsCreated) {
  test::TempDir dir;
  test::WriteFile(dir / "taken.rte", "someone's plan");
  fs::create_directories(dir / "folder.rte");
  struct Case {
    std::string name;
    CreateResult result;
  };
  const Case cases[] = {
      {"free.rte", CreateResult::kCreated},
      {"taken.rte", CreateResult::kAlreadyExists},
      {"folder.rte", CreateResult::kAlreadyExists},
      {"missing/free.rte", CreateResult::kFailed},
  };
  for (const Case& c : cases) {
    const ExclusiveCreate created = CreateNewFile(dir / c.name);
    EXPECT_EQ(created.result, c.result) << c.name;
    EXPECT_EQ(created.reason.empty(), c.result != CreateResult::kFailed) << c.name;
  }
  EXPECT_EQ(test::ReadFile(dir / "free.rte"), "");
  EXPECT_EQ(test::ReadFile(dir / "taken.rte"), "someone's plan");
  // The second create of the same name finds it taken.
  EXPECT_EQ(CreateNewFile(dir / "free.rte").result, CreateResult::kAlreadyExists);
}

TEST(FileLockTest, ASecondLockWaitsForTheFirst) {
  test::TempDir dir;
  const fs::path lock_file = dir / "FPLS.DAT.lock";
  {
    const FileLock first(lock_file, 0ms);
    ASSERT_EQ(first.Result(), FileLock::State::kLocked) << first.Reason();
    const FileLock second(lock_file, 30ms);
    EXPECT_EQ(second.Result(), FileLock::State::kTimedOut);
  }
  const FileLock after(lock_file, 0ms);
  EXPECT_EQ(after.Result(), FileLock::State::kLocked);
  EXPECT_TRUE(fs::exists(lock_file));

  const FileLock nowhere(dir / "missing/FPLS.DAT.lock", 0ms);
  EXPECT_EQ(nowhere.Result(), FileLock::State::kFailed);
  EXPECT_FALSE(nowhere.Reason().empty());
}

// ---------------------------------------------------------------------------
// Numbered names.

NumberedFile::NameFor PmdgName() {
  return [](std::string_view number) { return "EAAAEBBB" + std::string(number) + ".rte"; };
}

TEST(NumberedName, TakesTheFirstNumberNoFileOrFolderHolds) {
  struct Case {
    std::vector<std::string> files;
    std::vector<std::string> folders;
    std::string taken;
  };
  const std::vector<Case> cases = {
      {{}, {}, "EAAAEBBB001.rte"},
      {{"EAAAEBBB001.rte"}, {}, "EAAAEBBB002.rte"},
      {{"EAAAEBBB002.rte"}, {}, "EAAAEBBB001.rte"},
      {{"EAAAEBBB001.rte"}, {"EAAAEBBB002.rte"}, "EAAAEBBB003.rte"},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    for (const auto& f : c.files)
      test::WriteFile(dir / f, "kept");
    for (const auto& f : c.folders)
      fs::create_directories(dir / f);
    auto numbered = NumberedFile::Reserve(dir.path(), PmdgName());
    ASSERT_TRUE(numbered) << c.taken;
    EXPECT_EQ(numbered->Path(), dir / c.taken);
    for (const auto& f : c.files)
      EXPECT_EQ(test::ReadFile(dir / f), "kept") << f;
  }
}

// Two reservations that are not yet written never share a number: the name
// is taken when it is chosen, not when the plan is written.
TEST(NumberedName, ANumberIsTakenWhenChosen) {
  test::TempDir dir;
  auto first = NumberedFile::Reserve(dir.path(), PmdgName());
  auto second = NumberedFile::Reserve(dir.path(), PmdgName());
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->Path(), dir / "EAAAEBBB001.rte");
  EXPECT_EQ(second->Path(), dir / "EAAAEBBB002.rte");

  // Kept after its write, the file stays; a reservation given up (its
  // write failed) leaves no empty plan.
  WriteWholeFile(first->Path(), "plan");
  first->Keep();
  first.reset();
  second.reset();
  EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"EAAAEBBB001.rte"});
  EXPECT_EQ(test::ReadFile(dir / "EAAAEBBB001.rte"), "plan");

  // A reservation moved to another owner is removed once, by that owner.
  std::optional<NumberedFile> moved;
  {
    auto taken = NumberedFile::Reserve(dir.path(), PmdgName());
    moved.emplace(std::move(*taken));
  }
  EXPECT_TRUE(fs::exists(dir / "EAAAEBBB002.rte"));
  moved.reset();
  EXPECT_FALSE(fs::exists(dir / "EAAAEBBB002.rte"));
}

TEST(NumberedName, EveryNumberTakenOrNoFolder) {
  test::TempDir dir;
  for (int n = 1; n <= NumberedFile::kLastNumber; ++n)
    test::WriteFile(dir / fmt::format("EAAAEBBB{:03}.rte", n), "");
  EXPECT_FALSE(NumberedFile::Reserve(dir.path(), PmdgName()));
  EXPECT_FALSE(fs::exists(dir / "EAAAEBBB999.rte"));

  const fs::path missing = dir / "missing";
  try {
    NumberedFile::Reserve(missing, PmdgName());
    ADD_FAILURE() << "no error for a missing folder";
  } catch (const RunError& e) {
    EXPECT_EQ(std::string(e.what()).rfind(
                  "Cannot create " + PathToUtf8(missing / "EAAAEBBB001.rte") + ": ", 0),
              0u)
        << e.what();
  }
}

}  // namespace
}  // namespace korvanta
