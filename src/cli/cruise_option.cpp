#include "cli/cruise_option.hpp"

#include <algorithm>

#include "text/numbers.hpp"
#include "text/text.hpp"

namespace korvanta::cli {

namespace {

constexpr std::int32_t kLowestCruise = 1000;
constexpr std::int32_t kHighestCruise = 60000;
constexpr std::int32_t kFeetPerLevel = 100;
// A plain number of up to this many digits is a flight level: no aircraft
// cruises below 1000 ft, and "350" is how pilots say FL350.
constexpr std::size_t kLevelDigits = 3;
constexpr std::size_t kFeetDigits = 5;

bool Digits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::optional<std::int32_t> ReadCruiseAltitude(std::string_view text) {
  const bool level_named = text.size() > 2 && EqualNoCase(text.substr(0, 2), "FL");
  if (level_named)
    text.remove_prefix(2);
  const std::size_t most_digits = level_named ? kLevelDigits : kFeetDigits;
  if (!Digits(text) || text.size() > most_digits)
    return std::nullopt;
  const std::int64_t number = ReadInteger(text).value_or(0);
  const bool level = level_named || text.size() <= kLevelDigits;
  const std::int64_t feet = level ? number * kFeetPerLevel : number;
  if (feet < kLowestCruise || feet > kHighestCruise)
    return std::nullopt;
  return static_cast<std::int32_t>(feet);
}

void AddCruiseOption(CLI::App& command, std::string& cruise) {
  command
      .add_option("--cruise", cruise,
                  "the cruise altitude, over the one the route gives: a flight level (FL350, or "
                  "350: a number of up to three digits is a flight level) or feet (35000), from "
                  "FL010 to FL600")
      ->type_name("FL|FEET")
      ->check(CLI::Validator(
          [](std::string& text) {
            return ReadCruiseAltitude(text) ? std::string()
                                            : "not a flight level (FL350, 350) or feet (35000) "
                                              "from 1000 to 60000: " +
                                                  text;
          },
          std::string()));
}

}  // namespace korvanta::cli
