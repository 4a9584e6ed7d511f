#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvanta {

// The departure runway as the pilot typed it, made ready for a plan file:
// ASCII letters upper-cased, blanks and tabs removed (" 25 l" gives "25L").
std::string NormalizedRunway(std::string_view runway);

// The letter that tells parallel runways apart.
enum class RunwaySide { kNone, kLeft, kRight, kCenter };

struct RunwayDesignation {
  int number = 0;  // 1 to 36
  RunwaySide side = RunwaySide::kNone;
};

// The runway, normalised, read as an optional "RW", a number 1 to 36 of one
// or two digits, and an optional L, R or C: "RW07" and "7" both give 7,
// "25L" gives 25 left. Nothing for anything else ("RUNWAY", "37", "0", "").
std::optional<RunwayDesignation> ReadRunway(std::string_view runway);

}  // namespace korvanta
