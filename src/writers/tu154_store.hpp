#pragma once

#include <string>
#include <string_view>

namespace korvanta {

// The plan store "FPLS.DAT" of the KLN 90B unit: plans one after another,
// each opened by a header line [FPL.n], ascending by number.

// Whether the line opens a plan: its first five characters are "[FPL.".
bool IsPlanHeader(std::string_view line);

// The number of a header line: the two characters after "[FPL." in the
// trimmed line less its last character ("]"). [FPL.7] gives 7, [FPL.12] 12,
// [FPL.123] 12; anything that does not read as an integer gives 99.
int PlanNumberOf(std::string_view header);

// The store with `new_plan` (its first line is its header) filed in: lines
// before the first header stay first, then the plans numbered below the new
// one, the new plan, and the plans numbered above it. A stored plan with the
// same number is replaced. Every line ends with CR LF.
std::string MergePlanStore(std::string_view old_store, std::string_view new_plan);

}  // namespace korvanta
