#include "writers/tu154_store.hpp"

#include <vector>

#include "route/numbers.hpp"
#include "route/parser.hpp"
#include "route/text.hpp"

namespace korvanta {

namespace {

constexpr std::string_view kHeaderStart = "[FPL.";
constexpr int kUnreadableNumber = 99;

}  // namespace

bool IsPlanHeader(std::string_view line) {
  return line.starts_with(kHeaderStart);
}

int PlanNumberOf(std::string_view header) {
  std::string_view text = Trim(header);
  if (!text.empty())
    text.remove_suffix(1);
  const std::string_view digits =
      text.size() > kHeaderStart.size() ? text.substr(kHeaderStart.size(), 2) : std::string_view();
  const auto number = ReadInteger(digits);
  return number ? static_cast<int>(*number) : kUnreadableNumber;
}

std::string MergePlanStore(std::string_view old_store, std::string_view new_plan) {
  const std::vector<std::string> plan = SplitLines(new_plan);
  const int number = plan.empty() ? kUnreadableNumber : PlanNumberOf(plan.front());
  std::string out;
  out.reserve(old_store.size() + new_plan.size() + 64);
  const auto write_plan = [&] {
    for (const std::string& line : plan)
      AppendCrLfLine(out, line);
  };

  // The old store's lines are visited in place: a list of them would hold
  // the store several times over.
  enum class State { kBefore, kSkipping, kAfter };
  State state = State::kBefore;
  ForEachLine(old_store, [&](std::string_view line) {
    const bool header = IsPlanHeader(line);
    switch (state) {
      case State::kBefore:
        if (header) {
          const int stored = PlanNumberOf(line);
          if (stored == number) {
            write_plan();
            state = State::kSkipping;
            return;
          }
          if (stored > number) {
            write_plan();
            state = State::kAfter;
          }
        }
        AppendCrLfLine(out, line);
        break;
      case State::kSkipping:
        // The stored plan of the same number is dropped up to the next header.
        if (header) {
          AppendCrLfLine(out, line);
          state = State::kAfter;
        }
        break;
      case State::kAfter:
        AppendCrLfLine(out, line);
        break;
    }
  });
  if (state == State::kBefore)
    write_plan();
  return out;
}

}  // namespace korvanta
