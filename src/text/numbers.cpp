#include "text/numbers.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>

namespace korvanta {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Skips the blanks (character 32) from `pos` on and returns the first other position.
std::size_t SkipBlanks(std::string_view text, std::size_t pos) {
  while (pos < text.size() && text[pos] == ' ') {
    ++pos;
  }
  return pos;
}

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
  while (pos < text.size() && IsDigit(text[pos])) {
    ++pos;
  }
  return pos;
}

// Wide enough for a double's 53-bit mantissa times 10^9.
__extension__ using WideUnsigned = unsigned __int128;

// A coordinate's digits in integer arithmetic, many times faster than the
// general formatting: a double is exactly mantissa / 2^shift, so the value
// times 10^decimals, rounded to the nearest integer (ties to even), is the
// correctly rounded text that to_chars and {fmt} write. Empty for what it
// does not cover: NaN and infinities, 2^32 and above, values below 2^-67
// other than zero, more than nine decimals.
std::optional<std::string> FixedFromBits(double value, int decimals) {
  constexpr int kFractionBits = 52;
  constexpr int kExponentMask = 0x7FF;
  constexpr int kShiftOfExponentZero = 1075;  // a biased exponent of 1075 scales by 2^0
  constexpr int kSmallestShift = 21;          // values below 2^32
  constexpr int kLargestShift = 120;
  constexpr int kMostDecimals = 9;
  if (decimals < 0 || decimals > kMostDecimals)
    return std::nullopt;
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const int biased_exponent = static_cast<int>(bits >> kFractionBits) & kExponentMask;
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << kFractionBits) - 1);
  int shift = kSmallestShift;  // any shift holds zero
  if (biased_exponent != 0) {
    mantissa |= std::uint64_t{1} << kFractionBits;
    shift = kShiftOfExponentZero - biased_exponent;
  } else if (mantissa != 0) {
    return std::nullopt;  // subnormal
  }
  // NaN and the infinities have the largest exponent, so the smallest shift.
  if (shift < kSmallestShift || shift > kLargestShift)
    return std::nullopt;
  std::uint64_t scale = 1;
  for (int place = 0; place < decimals; ++place)
    scale *= 10;
  const WideUnsigned scaled = WideUnsigned{mantissa} * scale;
  const WideUnsigned below = scaled & ((WideUnsigned{1} << shift) - 1);
  const WideUnsigned half = WideUnsigned{1} << (shift - 1);
  auto rounded = static_cast<std::uint64_t>(scaled >> shift);
  if (below > half || (below == half && rounded % 2 == 1))
    ++rounded;

  std::array<char, 24> digits;
  std::string text = std::signbit(value) ? "-" : "";
  text.append(digits.data(),
              std::to_chars(digits.data(), digits.data() + digits.size(), rounded / scale).ptr);
  if (decimals > 0) {
    const char* places_end =
        std::to_chars(digits.data(), digits.data() + digits.size(), rounded % scale).ptr;
    const auto places = static_cast<std::size_t>(places_end - digits.data());
    text += '.';
    text.append(static_cast<std::size_t>(decimals) - places, '0');
    text.append(digits.data(), places);
  }
  return text;
}

// A plain decimal ("-12.345": no blanks, no exponent) of at most 15 digits,
// read in one pass: its digits as an integer and its power of ten are exact
// doubles, so one division rounds it correctly, to the double that
// from_chars gives. Empty for anything else, which the general path reads.
std::optional<double> ShortDecimal(std::string_view number) {
  constexpr std::size_t kMostDigits = 15;
  static constexpr std::array<double, kMostDigits + 1> kPowersOfTen = {
      1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const bool negative = number.starts_with('-');
  if (negative || number.starts_with('+'))
    number.remove_prefix(1);
  std::uint64_t digits = 0;
  std::size_t digit_count = 0;
  std::size_t fraction_digits = 0;
  bool in_fraction = false;
  for (const char c : number) {
    if (c == '.' && !in_fraction) {
      in_fraction = true;
    } else if (IsDigit(c) && digit_count < kMostDigits) {
      digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
      ++digit_count;
      fraction_digits += in_fraction ? 1 : 0;
    } else {
      return std::nullopt;
    }
  }
  if (digit_count == 0)
    return std::nullopt;
  const double value = static_cast<double>(digits) / kPowersOfTen[fraction_digits];
  return negative ? -value : value;
}

}  // namespace

std::optional<std::int64_t> ReadInteger(std::string_view piece) {
  std::size_t pos = SkipBlanks(piece, 0);
  // from_chars takes a "-" but no "+", so a "+" is stepped over.
  std::size_t convert_begin = pos;
  if (pos < piece.size() && (piece[pos] == '+' || piece[pos] == '-')) {
    if (piece[pos] == '+') {
      ++convert_begin;
    }
    ++pos;
  }
  const std::size_t digits_begin = pos;
  pos = SkipDigits(piece, pos);
  if (pos == digits_begin || pos != piece.size()) {
    return std::nullopt;
  }
  std::int64_t value = 0;
  const char* first = piece.data() + convert_begin;
  const char* last = piece.data() + pos;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc{} || end != last) {
    return std::nullopt;  // out of range
  }
  return value;
}

std::optional<double> ReadDecimal(std::string_view piece) {
  if (const std::optional<double> value = ShortDecimal(piece))
    return value;
  std::size_t pos = SkipBlanks(piece, 0);
  const std::size_t number_begin = pos;
  if (pos < piece.size() && (piece[pos] == '+' || piece[pos] == '-')) {
    ++pos;
  }
  const std::size_t int_begin = pos;
  pos = SkipDigits(piece, pos);
  std::size_t mantissa_digits = pos - int_begin;
  if (pos < piece.size() && piece[pos] == '.') {
    const std::size_t fraction_begin = ++pos;
    pos = SkipDigits(piece, pos);
    mantissa_digits += pos - fraction_begin;
  }
  if (mantissa_digits == 0) {
    return std::nullopt;
  }
  if (pos < piece.size() && (piece[pos] == 'e' || piece[pos] == 'E')) {
    ++pos;
    if (pos < piece.size() && (piece[pos] == '+' || piece[pos] == '-')) {
      ++pos;
    }
    const std::size_t exponent_begin = pos;
    pos = SkipDigits(piece, pos);
    if (pos == exponent_begin) {
      return std::nullopt;
    }
  }
  const std::size_t number_end = pos;
  if (SkipBlanks(piece, pos) != piece.size()) {
    return std::nullopt;
  }

  // The grammar is checked above; from_chars does the correctly rounded
  // conversion. It takes no "+" sign, so that one is stepped over.
  std::size_t convert_begin = number_begin;
  if (piece[convert_begin] == '+') {
    ++convert_begin;
  }
  double value = 0.0;
  const char* first = piece.data() + convert_begin;
  const char* last = piece.data() + number_end;
  const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
  if (error != std::errc{} || end != last) {
    return std::nullopt;
  }
  return value;
}

std::string FormatFixed(double value, int decimals) {
  std::string text = FixedFromBits(value, decimals).value_or("");
  if (text.empty()) {
    // Every other value: to_chars gives the same digits, and {fmt} takes
    // what is too long for the buffer (the largest doubles with many
    // decimals).
    std::array<char, 400> buffer;
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::fixed, decimals);
    text = error == std::errc() ? std::string(buffer.data(), end)
                                : fmt::format("{:.{}f}", value, decimals);
  }
  if (!text.empty() && text.front() == '-' &&
      text.find_first_not_of("0.", 1) == std::string::npos) {
    text.erase(0, 1);
  }
  return text;
}

std::string_view Trim(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= 0x20) {
    ++first;
  }
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= 0x20) {
    --last;
  }
  return text.substr(first, last - first);
}

std::optional<std::int64_t> TakeDigits(std::string_view& rest, std::size_t max) {
  std::size_t n = 0;
  std::int64_t value = 0;
  while (n < rest.size() && rest[n] >= '0' && rest[n] <= '9') {
    if (++n > max)
      return std::nullopt;
    value = value * 10 + (rest[n - 1] - '0');
  }
  if (n == 0)
    return std::nullopt;
  rest.remove_prefix(n);
  return value;
}

namespace {

constexpr std::int64_t kLargestRounded = 1'000'000'000'000'000;  // 10^15

bool AllDecimalDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::optional<std::int64_t> RoundedDecimal(std::string_view text, std::int64_t multiplier,
                                           std::int64_t divisor) {
  text = Trim(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const std::size_t point = text.find('.');
  std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  if ((whole.empty() && fraction.empty()) || !AllDecimalDigits(whole) ||
      !AllDecimalDigits(fraction))
    return std::nullopt;
  while (!whole.empty() && whole.front() == '0')
    whole.remove_prefix(1);
  if (whole.size() > 15)
    return std::nullopt;

  // The common case, a dozen digits and a whole multiplier, fits in 64 bits:
  // the route data's coordinates are read this way by the hundred thousand.
  if (divisor == 1 && multiplier > 0 && multiplier <= 1'000'000 &&
      whole.size() + fraction.size() <= 12) {
    std::int64_t number = 0;
    std::int64_t scale = 1;
    for (const char digit : whole)
      number = number * 10 + (digit - '0');
    for (const char digit : fraction) {
      number = number * 10 + (digit - '0');
      scale *= 10;
    }
    const std::int64_t product = number * multiplier;
    const std::int64_t result = product / scale + (2 * (product % scale) >= scale ? 1 : 0);
    if (result > kLargestRounded)
      return std::nullopt;
    return negative ? -result : result;
  }

  // The number's digits without its point, times the multiplier, then divided
  // by the divisor: the quotient's digits keep the number's scale.
  std::string digits = std::string(whole) + std::string(fraction);
  std::int64_t carry = 0;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    const std::int64_t value = (*it - '0') * multiplier + carry;
    *it = static_cast<char>('0' + value % 10);
    carry = value / 10;
  }
  for (; carry > 0; carry /= 10)
    digits.insert(digits.begin(), static_cast<char>('0' + carry % 10));
  std::int64_t remainder = 0;
  for (char& digit : digits) {
    const std::int64_t value = remainder * 10 + (digit - '0');
    digit = static_cast<char>('0' + value / divisor);
    remainder = value % divisor;
  }

  // The whole part of the quotient, and half away from zero: the first
  // dropped digit decides when there is one, else the remainder.
  std::string_view quotient = digits;
  const std::string_view dropped = quotient.substr(quotient.size() - fraction.size());
  quotient.remove_suffix(fraction.size());
  while (!quotient.empty() && quotient.front() == '0')
    quotient.remove_prefix(1);
  if (quotient.size() > 16)
    return std::nullopt;
  std::int64_t result = 0;
  for (const char digit : quotient)
    result = result * 10 + (digit - '0');
  if (dropped.empty() ? 2 * remainder >= divisor : dropped.front() >= '5')
    ++result;
  if (result > kLargestRounded)
    return std::nullopt;
  return negative ? -result : result;
}

}  // namespace korvanta
