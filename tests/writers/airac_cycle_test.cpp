#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "test_support.hpp"
#include "writers/airac_cycle.hpp"

namespace korvanta {
namespace {

TEST(AiracCycle, InForceOnADateAndNamedOnTheCommandLine) {
  using namespace std::chrono;
  for (const auto& [date, cycle] :
       std::vector<std::pair<year_month_day, std::string>>{{2020y / 1 / 2, "2001"},
                                                           {2020y / 1 / 1, "1913"},
                                                           {2020y / 12 / 31, "2014"},
                                                           {2021y / 1 / 27, "2014"},
                                                           {2021y / 1 / 28, "2101"},
                                                           {2024y / 12 / 26, "2413"},
                                                           {2025y / 1 / 22, "2413"},
                                                           {2025y / 1 / 23, "2501"},
                                                           {2017y / 10 / 12, "1711"},
                                                           {2026y / 12 / 8, "2612"},
                                                           {2026y / 12 / 31, "2613"}}) {
    EXPECT_EQ(AiracCycleOn(date), cycle) << cycle;
  }
  for (const char* valid : {"2001", "2014", "2113", "2613", "1711"})
    EXPECT_TRUE(IsAiracCycle(valid)) << valid;
  // 2021 has thirteen cycles.
  for (const char* invalid : {"2114", "2000", "2615", "261", "26131", "26a3", "-261", ""})
    EXPECT_FALSE(IsAiracCycle(invalid)) << invalid;
}

}  // namespace
}  // namespace korvanta
