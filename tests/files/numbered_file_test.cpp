// Numbered plans: which number a write takes beside what the folder holds,
// and that the name the dialog offers is the one the write takes.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "errors/run_error.hpp"
#include "files/numbered_file.hpp"
#include "io/utf8_path.hpp"
#include "test_support.hpp"

namespace korvanta {
namespace {

namespace fs = std::filesystem;

RouteFileName PlanName(std::string_view number) {
  return RouteFileName{"EAAAEBBB", std::string(number) + ".rte"};
}

// What stands under a numbered name before the write.
enum class Holder { kPlan, kFolder, kFreshEmptyFile, kHourOldEmptyFile };

TEST(NumberedFile, TakesTheFirstFreeNumberWithTheWholeContent) {
  const struct {
    std::string what;
    std::vector<std::pair<std::string, Holder>> before;
    std::string taken;
  } cases[] = {
      {"empty folder", {}, "EAAAEBBB001.rte"},
      {"a plan and a folder",
       {{"EAAAEBBB001.rte", Holder::kPlan}, {"EAAAEBBB002.rte", Holder::kFolder}},
       "EAAAEBBB003.rte"},
      // Another run on a file system that takes names by creating them.
      {"a name being taken", {{"EAAAEBBB001.rte", Holder::kFreshEmptyFile}}, "EAAAEBBB002.rte"},
      // That run was killed long ago: nobody's plan.
      {"a name left empty", {{"EAAAEBBB001.rte", Holder::kHourOldEmptyFile}}, "EAAAEBBB001.rte"},
      {"a gap", {{"EAAAEBBB002.rte", Holder::kPlan}}, "EAAAEBBB001.rte"},
  };
  for (const auto& c : cases) {
    test::TempDir dir;
    std::vector<std::string> expected = {c.taken};
    for (const auto& [name, holder] : c.before) {
      if (holder == Holder::kFolder) {
        fs::create_directories(dir / name);
      } else {
        test::WriteFile(dir / name, holder == Holder::kPlan ? "kept" : "");
      }
      if (holder == Holder::kHourOldEmptyFile)
        fs::last_write_time(dir / name, fs::file_time_type::clock::now() - std::chrono::hours(2));
      if (name != c.taken)
        expected.push_back(name);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(NumberedFile::FirstFree(dir.path(), PlanName), dir / c.taken) << c.what;
    EXPECT_EQ(NumberedFile::Write(dir.path(), PlanName, "plan"), dir / c.taken) << c.what;
    EXPECT_EQ(test::ReadFile(dir / c.taken), "plan") << c.what;
    EXPECT_EQ(test::FileNames(dir.path()), expected) << c.what;
    for (const auto& [name, holder] : c.before) {
      if (holder == Holder::kPlan) {
        EXPECT_EQ(test::ReadFile(dir / name), "kept") << c.what;
      }
    }
  }
}

// Every number taken (here every number has the one name that exists) writes
// nothing; a folder that cannot take the file is an error naming the file.
TEST(NumberedFile, NoFreeNumberOrNoFolderLeavesNothing) {
  test::TempDir dir;
  test::WriteFile(dir / "EAAAEBBB.rte", "kept");
  const auto one_name = [](std::string_view) { return RouteFileName{"EAAAEBBB", ".rte"}; };
  EXPECT_EQ(NumberedFile::FirstFree(dir.path(), one_name), std::nullopt);
  EXPECT_EQ(NumberedFile::Write(dir.path(), one_name, "plan"), std::nullopt);
  EXPECT_EQ(test::FileNames(dir.path()), std::vector<std::string>{"EAAAEBBB.rte"});
  try {
    NumberedFile::Write(dir / "missing", PlanName, "plan");
    ADD_FAILURE() << "no error";
  } catch (const RunError& e) {
    EXPECT_EQ(std::string(e.what()).rfind(
                  "Cannot create " + ShownPath(dir / "missing" / "EAAAEBBB001.rte") + ": ", 0),
              0u)
        << e.what();
  }
}

}  // namespace
}  // namespace korvanta
