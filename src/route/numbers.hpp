#pragma once

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

}  // namespace korvanta
