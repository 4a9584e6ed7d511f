// The whole-file write and numbered names: what a replaced file keeps, what a
// failure leaves, and when a number is taken.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
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
  using Bits = fs::perms;
  for (const Bits mode : {Bits::owner_read | Bits::owner_write,
                          Bits::owner_all | Bits::group_read | Bits::group_exec}) {
    test::TempDir dir;
    test::WriteFile(dir / "plan.rte", "old");
    fs::permissions(dir / "plan.rte", mode);
    WriteWholeFile(dir / "plan.rte", "new");
    EXPECT_EQ(test::ReadFile(dir / "plan.rte"), "new");
    EXPECT_EQ(fs::status(dir / "plan.rte").permissions(), mode) << static_cast<int>(mode);
  }
}

// Read-only is the owner-write bit (the read-only attribute on Windows), not
// whether this process may write: root is refused too, and others' write
// bits do not count.
TEST(WholeFileWrite, ReadOnlyFileIsRefusedAndKept) {
  using Bits = fs::perms;
  for (const Bits mode :
       {Bits::owner_read, Bits::owner_read | Bits::group_all | Bits::others_all}) {
    test::TempDir dir;
    test::WriteFile(dir / "plan.rte", "old");
    fs::permissions(dir / "plan.rte", mode);
    const fs::perms before = fs::status(dir / "plan.rte").permissions();
    try {
      WriteWholeFile(dir / "plan.rte", "new");
      ADD_FAILURE() << "a read-only file was replaced";
    } catch (const RunError& e) {
      EXPECT_EQ(std::string(e.what()),
                "Cannot write " + PathToUtf8(dir / "plan.rte") + ": the file is read-only");
    }
    EXPECT_EQ(test::ReadFile(dir / "plan.rte"), "old");
    EXPECT_EQ(fs::status(dir / "plan.rte").permissions(), before);
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"plan.rte"});
    fs::permissions(dir / "plan.rte", Bits::owner_all);  // so that the folder can go
  }
}

// A run killed while writing leaves a temporary file; the next write into
// the folder removes those of the program that are over an hour old.
TEST(WholeFileWrite, RemovesTheTemporaryFilesOfAKilledRunAfterAnHour) {
  test::TempDir dir;
  const auto two_hours_ago = fs::file_time_type::clock::now() - std::chrono::hours(2);
  const struct {
    std::string name;
    bool old;
    bool kept;
  } cases[] = {
      {".korvanta-123456.tmp", true, false}, {".korvanta-7.tmp", true, false},
      {".korvanta-654321.tmp", false, true},  // another run is writing it
      {".korvanta-12a456.tmp", true, true},   // not the program's
      {"korvanta-123456.tmp", true, true},
  };
  std::vector<std::string> kept = {"plan.rte"};
  for (const auto& c : cases) {
    test::WriteFile(dir / c.name, "part of a plan");
    if (c.old)
      fs::last_write_time(dir / c.name, two_hours_ago);
    if (c.kept)
      kept.push_back(c.name);
  }
  WriteWholeFile(dir / "plan.rte", "new");
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(Names(dir.path()), kept);
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
