// The whole-file write: what a replaced file keeps, what a failure leaves,
// and what a link in the temporary file's place gets.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "errors/run_error.hpp"
#include "files/file_output.hpp"
#include "io/file_read.hpp"
#include "io/utf8_path.hpp"
#include "test_support.hpp"

namespace korvanta {
namespace {

namespace fs = std::filesystem;

// A route input or stream longer than the limit gives its first bytes and is
// not read further, so that nothing fills the memory before it is refused; a
// data file longer than its limit is refused whole.
TEST(FileRead, StopsAtTheLimit) {
  test::TempDir dir;
  test::WriteFile(dir / "ten", "0123456789");
  const std::pair<std::size_t, std::string_view> cases[] = {
      {0, ""}, {4, "0123"}, {10, "0123456789"}, {kWholeFile, "0123456789"}};
  for (const auto& [limit, expected] : cases) {
    const FileRead read = ReadInputBytes(dir / "ten", limit);
    EXPECT_TRUE(read.Ok()) << limit;
    EXPECT_EQ(read.bytes, expected) << limit;
    std::istringstream stream("0123456789");
    EXPECT_EQ(ReadStreamBytes(stream, limit).bytes, expected) << limit;
    const FileRead data = ReadFileBytes(dir / "ten", limit);
    EXPECT_EQ(data.status, limit >= 10 ? ReadStatus::kOk : ReadStatus::kTooLarge) << limit;
    EXPECT_EQ(data.bytes, limit >= 10 ? expected : "") << limit;
  }
  EXPECT_EQ(ReadFailureText(dir / "ten", ReadFileBytes(dir / "ten", 4), 4),
            ShownPath(dir / "ten") + " is larger than 4 bytes");
  EXPECT_EQ(ReadFailureText(dir / "ten", {ReadStatus::kTooLarge, {}, {}}, 4 << 20),
            ShownPath(dir / "ten") + " is larger than 4 MiB");
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
    EXPECT_EQ(test::FileNames(dir.path()), std::vector<std::string>{"plan.rte"});
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
  EXPECT_EQ(test::FileNames(dir.path()), kept);
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
    EXPECT_EQ(test::FileNames(dir.path()), (std::vector<std::string>{"Z\xC3\x9C"
                                                                     "RICH.rte",
                                                                     "blocker"}));
    EXPECT_TRUE(fs::is_directory(dir.path() / in_the_way / "inside"));
    EXPECT_EQ(test::ReadFile(dir / "blocker"), "a file");
  }
}

// Someone who may write in the folder swaps a link to a file outside it in
// for the temporary file between its making and its writing: the bytes never
// reach the file outside, the write fails naming its target, and the target
// keeps its old content.
TEST(WholeFileWrite, ALinkPutInPlaceOfTheTemporaryFileIsNeverWrittenThrough) {
  test::TempDir root;
  const fs::path outside = root / "outside.txt";
  const fs::path target = root / "plans/plan.gpx";
  test::WriteFile(outside, "not a plan");
  test::WriteFile(target, "old");
  std::error_code link_error;
  const auto swap_in_a_link = [&](const fs::path& temporary) {
    std::error_code held;  // Windows keeps a name in use from being removed
    if (fs::remove(temporary, held))
      fs::create_symlink(outside, temporary, link_error);
  };
  try {
    WriteWholeFile(target, "new plan", false, swap_in_a_link);
    EXPECT_EQ(test::ReadFile(target), "new plan");
  } catch (const RunError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot write " + PathToUtf8(target) +
                                         ": another file took its name while it was written");
    EXPECT_EQ(test::ReadFile(target), "old");
  }
  if (link_error)
    GTEST_SKIP() << "no symbolic links here: " << link_error.message();
  EXPECT_EQ(test::ReadFile(outside), "not a plan");
  EXPECT_EQ(test::FileNames(root.path() / "plans"), std::vector<std::string>{"plan.gpx"});
}

}  // namespace
}  // namespace korvanta
