#pragma once

// The numbered plan that the kill tests have written by a process they kill
// at random points, and the check of what the kills left. The Windows
// writer program includes it too, so it needs no more than GoogleTest.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "files/numbered_file.hpp"
#include "io/utf8_path.hpp"

namespace korvanta::test {

// Large enough that a kill often falls inside its write.
inline std::string KilledWriterPlan() {
  std::string plan;
  for (int row = 0; plan.size() < 256 * 1024; ++row)
    plan += "DIRECT WAYPOINT" + std::to_string(row) + "\r\n";
  return plan;
}

inline RouteFileName KilledWriterName(std::string_view number) {
  return RouteFileName{"LSZHLFPG", std::string(number) + ".rte"};
}

// A write after the kills takes the next free number past whatever they
// left, and so shows that no kill left a name taken by a partial plan; every
// numbered file holds the whole plan.
inline void ExpectOnlyWholePlans(const std::filesystem::path& folder) {
  const std::string plan = KilledWriterPlan();
  ASSERT_TRUE(NumberedFile::Write(folder, KilledWriterName, plan));
  int plans = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string file_name = PathToUtf8(entry.path().filename());
    if (file_name.starts_with(".korvanta-"))
      continue;  // a killed run's temporary file, removed by a later write
    ++plans;
    EXPECT_EQ(std::filesystem::file_size(entry.path()), plan.size()) << file_name;
  }
  EXPECT_GT(plans, 0);
}

}  // namespace korvanta::test
