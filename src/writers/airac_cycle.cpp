#include "writers/airac_cycle.hpp"

#include <fmt/format.h>

namespace korvanta {

namespace {

using std::chrono::days;
using std::chrono::sys_days;

constexpr sys_days kFirstCycle = std::chrono::year{2020} / std::chrono::January / 2;
constexpr int kCycleDays = 28;

// Rounds towards minus infinity, also for dates before the first cycle.
int FloorDiv(int a, int b) {
  return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

// The number of the cycle (from kFirstCycle, 0) in force on `day`.
int CycleIndex(sys_days day) {
  return FloorDiv(static_cast<int>((day - kFirstCycle).count()), kCycleDays);
}

sys_days EffectiveDate(int index) {
  return kFirstCycle + days{index * kCycleDays};
}

// The index of the first cycle that takes effect in `year`.
int FirstIndexOf(std::chrono::year year) {
  const int index = CycleIndex(sys_days{year / std::chrono::January / 1});
  const sys_days start = EffectiveDate(index);
  return std::chrono::year_month_day{start}.year() == year ? index : index + 1;
}

}  // namespace

std::string AiracCycleOn(std::chrono::year_month_day date) {
  const int index = CycleIndex(sys_days{date});
  const std::chrono::year year = std::chrono::year_month_day{EffectiveDate(index)}.year();
  const int number = index - FirstIndexOf(year) + 1;
  return fmt::format("{:02}{:02}", static_cast<int>(year) % 100, number);
}

std::string AiracCycleToday() {
  return AiracCycleOn(
      std::chrono::year_month_day{std::chrono::floor<days>(std::chrono::system_clock::now())});
}

bool IsAiracCycle(std::string_view text) {
  if (text.size() != 4)
    return false;
  for (const char c : text) {
    if (c < '0' || c > '9')
      return false;
  }
  const std::chrono::year year{2000 + (text[0] - '0') * 10 + (text[1] - '0')};
  const int number = (text[2] - '0') * 10 + (text[3] - '0');
  const int cycles = FirstIndexOf(year + std::chrono::years{1}) - FirstIndexOf(year);
  return number >= 1 && number <= cycles;
}

}  // namespace korvanta
