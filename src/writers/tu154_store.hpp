#pragma once

#include <string>
#include <string_view>

namespace korvanta {

// The plan store "FPLS.DAT" of the KLN 90B unit: plans one after another,
// each opened by a header line [FPL.n], ascending by number.

// Whether the line opens a plan: after any blanks and tabs, its first five
// characters are "[FPL.".
bool IsPlanHeader(std::string_view line);

// The number of a header line: the two characters after "[FPL." in the
// trimmed line less its last character ("]"). [FPL.7] gives 7, [FPL.12] 12,
// [FPL.123] 12; anything that does not read as an integer gives 99.
int PlanNumberOf(std::string_view header);

// The store with `new_plan` (its first line is its header) filed in. A
// stored plan with the same number is replaced where it stands, even in a
// store whose plans are out of order, and any further plan of that number is
// dropped. Otherwise the new plan goes before the first plan numbered above
// it, or last; lines before the first header stay first. A UTF-8 byte order
// mark at the start of the store stays there. Every line ends with CR LF.
std::string MergePlanStore(std::string_view old_store, std::string_view new_plan);

}  // namespace korvanta
