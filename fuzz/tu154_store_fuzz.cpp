// The Tu-154 plan store merge over arbitrary stores.
//
// Input: one byte for the new plan's number, the new plan's point lines and
// the old store, cut at NULs. The new plan is built as the writer builds one:
// its header, then lines none of which opens a plan. The merged store keeps
// the lines before the first plan, keeps every plan of another number in its
// order, holds the new plan once in place of the first stored plan of its
// number (dropping any further one) or inserted among them, stays in ascending order when it was,
// ends every line with CR LF, and merging the same plan again changes nothing.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <fmt/format.h>

#include "fuzz_support.hpp"
#include "readers/route_text_parser.hpp"
#include "writers/tu154_store.hpp"

namespace {

using korvanta::fuzz::Require;
using Lines = std::vector<std::string>;

struct Store {
  bool byte_order_mark = false;  // the UTF-8 mark a store saved by Notepad starts with
  Lines before;                  // lines before the first plan
  std::vector<Lines> plans;      // each plan from its header on
};

Store Read(std::string_view text) {
  Store store;
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  store.byte_order_mark = text.starts_with(kByteOrderMark);
  if (store.byte_order_mark)
    text.remove_prefix(kByteOrderMark.size());
  for (std::string& line : korvanta::SplitLines(text)) {
    if (korvanta::IsPlanHeader(line))
      store.plans.emplace_back();
    (store.plans.empty() ? store.before : store.plans.back()).push_back(std::move(line));
  }
  return store;
}

int NumberOf(const Lines& plan) {
  return korvanta::PlanNumberOf(plan.front());
}

bool Ascending(const std::vector<Lines>& plans) {
  for (std::size_t i = 1; i < plans.size(); ++i) {
    if (NumberOf(plans[i - 1]) >= NumberOf(plans[i]))
      return false;
  }
  return true;
}

// Whether `merged` is `old` with every stored plan of the new plan's number
// taken out and `plan` standing once among the others: where the first of
// them stood, else inserted anywhere.
bool NewPlanFiledOnce(const std::vector<Lines>& old, const std::vector<Lines>& merged,
                      const Lines& plan) {
  const int number = NumberOf(plan);
  std::vector<Lines> others;
  std::optional<std::size_t> replaced_at;
  for (const Lines& stored : old) {
    if (NumberOf(stored) != number)
      others.push_back(stored);
    else if (!replaced_at)
      replaced_at = others.size();
  }
  if (merged.size() != others.size() + 1)
    return false;
  for (std::size_t at = 0; at < merged.size(); ++at) {
    if (merged[at] != plan)
      continue;
    std::vector<Lines> rest = merged;
    rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(at));
    return rest == others && (!replaced_at || *replaced_at == at);
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0)
    return 0;
  // Numbers past the unit's 25 give two-digit and unreadable headers too.
  const int number = data[0] % 128;
  const auto parts = korvanta::fuzz::SplitAtNul(korvanta::fuzz::AsText(data + 1, size - 1), 2);

  Lines plan = {fmt::format("[FPL.{}]", number)};
  for (std::string& line : korvanta::SplitLines(parts[0])) {
    if (!korvanta::IsPlanHeader(line))
      plan.push_back(std::move(line));
  }
  std::string new_plan;
  for (const std::string& line : plan)
    new_plan += line + "\r\n";

  const std::string_view old_text = parts[1];
  const std::string merged_text = korvanta::MergePlanStore(old_text, new_plan);
  Require(
      korvanta::fuzz::OnlyCrLfLineEnds(merged_text) && korvanta::fuzz::EndsWithCrLf(merged_text),
      "a line of the store does not end with CR LF");

  const Store old = Read(old_text);
  const Store merged = Read(merged_text);
  Require(merged.before == old.before && merged.byte_order_mark == old.byte_order_mark,
          "the lines before the plans changed");
  Require(NewPlanFiledOnce(old.plans, merged.plans, plan),
          "the other plans are not kept in order with the new plan once among them");
  if (Ascending(old.plans))
    Require(Ascending(merged.plans), "an ascending store is out of order");

  Require(korvanta::MergePlanStore(merged_text, new_plan) == merged_text,
          "merging the plan again changed the store");
  return 0;
}
