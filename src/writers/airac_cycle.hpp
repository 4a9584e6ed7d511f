#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace korvanta {

// The AIRAC cycle in force on `date` as four digits YYCC: a cycle takes
// effect every 28 days from 2 January 2020 (cycle 2001), belongs to the year
// of its effective date and is numbered from 01 in that year.
std::string AiracCycleOn(std::chrono::year_month_day date);

// The cycle in force today (the UTC date, as the cycles' effective dates are).
std::string AiracCycleToday();

// Whether `text` names a cycle: four digits YYCC (20YY) whose year has a
// cycle CC.
bool IsAiracCycle(std::string_view text);

}  // namespace korvanta
