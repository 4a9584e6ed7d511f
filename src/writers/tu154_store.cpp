#include "writers/tu154_store.hpp"

#include <vector>

#include "text/lines.hpp"
#include "text/numbers.hpp"
#include "text/text.hpp"

namespace korvanta {

namespace {

constexpr std::string_view kHeaderStart = "[FPL.";
constexpr int kUnreadableNumber = 99;
// Notepad saves a UTF-8 file with this mark before its first line.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The line without the blanks and tabs that a hand edit may put before it.
std::string_view WithoutLeadingBlanks(std::string_view line) {
  const std::size_t start = line.find_first_not_of(" \t");
  return start == std::string_view::npos ? std::string_view() : line.substr(start);
}

}  // namespace

bool IsPlanHeader(std::string_view line) {
  return WithoutLeadingBlanks(line).starts_with(kHeaderStart);
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
  // The mark stays where it was, at the start of the store, whichever plan
  // comes first now; the first line is read without it.
  if (old_store.starts_with(kByteOrderMark)) {
    out += kByteOrderMark;
    old_store.remove_prefix(kByteOrderMark.size());
  }
  const auto write_plan = [&] {
    for (const std::string& line : plan)
      AppendCrLfLine(out, line);
  };

  // A store edited by hand or by an older program may hold its plans out of
  // order; a stored plan of the same number is replaced where it stands, so
  // that the store never holds two. Only without one does the number order
  // decide where the new plan goes. The old store's lines are visited in
  // place: a list of them would hold the store several times over.
  bool already_stored = false;
  ForEachLine(old_store, [&](std::string_view line) {
    already_stored = already_stored || (IsPlanHeader(line) && PlanNumberOf(line) == number);
  });
  bool written = false;
  bool skipping = false;
  ForEachLine(old_store, [&](std::string_view line) {
    if (IsPlanHeader(line)) {
      const int stored = PlanNumberOf(line);
      // Further copies of the number (left by older programs) are dropped.
      skipping = stored == number;
      const bool place_here = stored == number || (!already_stored && stored > number);
      if (place_here && !written) {
        write_plan();
        written = true;
      }
    }
    if (!skipping)
      AppendCrLfLine(out, line);
  });
  if (!written)
    write_plan();
  return out;
}

}  // namespace korvanta
