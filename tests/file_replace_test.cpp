// The whole-file write and numbered names: what a replaced file keeps, what a
// failure leaves, and when a number is taken.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "errors/run_error.hpp"
#include "files/file_output.hpp"
#include "files/numbered_file.hpp"
#include "io/utf8_path.hpp"
#include "test_support.hpp"

namespace korvanta {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(PathToUtf8(entry.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

TEST(WholeFileWrite, ReplacedFileKeepsItsPermissionBits) {
#ifdef _WIN32
  GTEST_SKIP() << "no permission bits on this platform";
#endif
  using P = fs::perms;
  // The last one: a read-only plan is still replaced, and stays read-only.
  for (const P mode : {P::owner_read | P::owner_write, P::owner_all | P::group_read | P::group_exec,
                       P::owner_read}) {
    test::TempDir dir;
    test::WriteFile(dir / "plan.rte", "old");
    fs::permissions(dir / "plan.rte", mode);
    WriteWholeFile(dir / "plan.rte", "new");
    EXPECT_EQ(test::ReadFile(dir / "plan.rte"), "new");
    EXPECT_EQ(fs::status(dir / "plan.rte").permissions(), mode) << static_cast<int>(mode);
  }
}

// Every failure names the file (in UTF-8, whatever the platform), leaves what
// stood there and leaves no temporary file.
TEST(WholeFileWrite, FailureLeavesTheOldStateAndNoTemporaryFile) {
  const fs::path in_the_way = PathFromUtf8(
      "Z\xC3\x9C"
      "RICH.rte");
  const struct {
    fs::path name;
    std::string message_start;
  } cases[] = {{in_the_way, "Cannot write "}, {fs::path("blocker") / "plan.rte", "Cannot create "}};
  for (const auto& c : cases) {
    test::TempDir dir;
    fs::create_directories(dir.path() / in_the_way / "inside");
    test::WriteFile(dir / "blocker", "a file");
    const fs::path target = dir.path() / c.name;
    try {
      WriteWholeFile(target, "bytes");
      ADD_FAILURE() << "no error";
    } catch (const RunError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.message_start + PathToUtf8(target) + ": ", 0), 0u)
          << e.what();
    }
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"Z\xC3\x9C"
                                                           "RICH.rte",
                                                           "blocker"}));
    EXPECT_TRUE(fs::is_directory(dir.path() / in_the_way / "inside"));
    EXPECT_EQ(test::ReadFile(dir / "blocker"), "a file");
  }
}

// Two reservations not yet written never share a number: the name is taken
// when it is chosen, not when the plan is written. A name held by a file or a
// folder is passed over; a reservation given up leaves no empty plan.
TEST(NumberedName, ANumberIsTakenWhenChosenAndGivenBackEmptyOnFailure) {
  test::TempDir dir;
  test::WriteFile(dir / "EAAAEBBB002.rte", "kept");
  fs::create_directories(dir / "EAAAEBBB003.rte");
  const auto name = [](std::string_view number) {
    return RouteFileName{"EAAAEBBB", std::string(number) + ".rte"};
  };
  std::optional<NumberedFile> first = NumberedFile::Reserve(dir.path(), name);
  std::optional<NumberedFile> second = NumberedFile::Reserve(dir.path(), name);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->Path(), dir / "EAAAEBBB001.rte");
  EXPECT_EQ(second->Path(), dir / "EAAAEBBB004.rte");

  WriteWholeFile(first->Path(), "plan");
  first->Keep();
  first.reset();
  second.reset();
  EXPECT_EQ(Names(dir.path()),
            (std::vector<std::string>{"EAAAEBBB001.rte", "EAAAEBBB002.rte", "EAAAEBBB003.rte"}));
  EXPECT_EQ(test::ReadFile(dir / "EAAAEBBB001.rte"), "plan");
  EXPECT_EQ(test::ReadFile(dir / "EAAAEBBB002.rte"), "kept");

  EXPECT_THROW(NumberedFile::Reserve(dir / "missing", name), RunError);
}

}  // namespace
}  // namespace korvanta
