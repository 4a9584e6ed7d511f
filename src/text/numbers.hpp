#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvanta {

// Reading a number piece of route text, the same whatever the user's locale.

// Optional blanks before, optional sign, decimal digits, nothing after.
std::optional<std::int64_t> ReadInteger(std::string_view piece);

// Optional blanks, optional sign, digits, optional "." and fraction digits,
// optional exponent, optional blanks after. Empty or anything else fails.
std::optional<double> ReadDecimal(std::string_view piece);

// Fixed-point text with `decimals` decimals and "." as separator, no padding.
// A result that rounds to zero carries no minus sign.
std::string FormatFixed(double value, int decimals);

// Removes blanks and control characters at both ends.
std::string_view Trim(std::string_view text);

// Reads the digits at the front of `rest` (at least one, at most `max`) and
// steps over them; none when there are none or more than `max`.
std::optional<std::int64_t> TakeDigits(std::string_view& rest, std::size_t max);

// A decimal number (optional blanks, optional sign, digits with an optional
// "." and fraction, nothing else) times multiplier / divisor, rounded half
// away from zero, computed exactly on the digits. Nothing when the text is no
// such number or the result is beyond 10^15.
std::optional<std::int64_t> RoundedDecimal(std::string_view text, std::int64_t multiplier,
                                           std::int64_t divisor = 1);

}  // namespace korvanta
