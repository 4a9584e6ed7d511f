#include "route/conversions.hpp"

#include <fmt/compile.h>
#include <fmt/format.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <optional>

#include "text/numbers.hpp"
#include "text/utf8.hpp"

namespace korvanta {

namespace {

// The separator-based readers look at no more than this many characters of
// the text after the hemisphere letter.
constexpr std::size_t kMaxRest = 80;

// `count` characters from 1-based position `first`; nothing when the text is
// too short to hold them.
std::optional<std::string_view> Slice(std::string_view text, std::size_t first, std::size_t count) {
  if (first == 0) {
    return std::nullopt;
  }
  const std::string_view piece = CharacterSlice(text, first - 1, count);
  if (CharacterCount(piece) < count) {
    return std::nullopt;
  }
  return piece;
}

// The hemisphere letter as written (a whole character, whatever it is).
std::string_view Hemisphere(std::string_view text) {
  return CharacterSlice(text, 0, 1);
}

// The text after the hemisphere letter, at most kMaxRest characters of it.
std::string_view AfterHemisphere(std::string_view text) {
  return CharacterSlice(text, 1, kMaxRest);
}

std::optional<std::int64_t> IntegerAt(std::string_view text, std::size_t first, std::size_t count) {
  const auto piece = Slice(text, first, count);
  return piece ? ReadInteger(*piece) : std::nullopt;
}

std::optional<double> DecimalAt(std::string_view text, std::size_t first, std::size_t count) {
  const auto piece = Slice(text, first, count);
  return piece ? ReadDecimal(*piece) : std::nullopt;
}

// The text before the first `separator` and, through `rest`, the text after
// it. Without the separator the piece is empty (and so fails to read) and
// `rest` stays as it was.
std::string_view TakeUntil(std::string_view& rest, std::string_view separator) {
  const std::size_t at = rest.find(separator);
  if (at == std::string_view::npos) {
    return {};
  }
  const std::string_view piece = rest.substr(0, at);
  rest.remove_prefix(at + separator.size());
  return piece;
}

bool IsSouthOrWest(char hemisphere) {
  return hemisphere == 'S' || hemisphere == 'W';
}

// Positions of the pieces in the fixed-layout DMS texts.
struct DmsLayout {
  std::size_t degrees_width;
  std::size_t minutes_at;
  std::size_t seconds_at;
};
constexpr DmsLayout kLatLayout{2, 5, 8};
constexpr DmsLayout kLonLayout{3, 6, 9};
constexpr std::size_t kSecondsWidth = 5;
constexpr std::size_t kMinutesWidth = 2;

std::optional<std::int64_t> WholeDegrees(std::string_view dms, const DmsLayout& layout) {
  return IntegerAt(dms, 2, layout.degrees_width);
}

// Minutes with the seconds folded in: 28'42.00" gives 28.7.
std::optional<double> MinutesWithSeconds(std::string_view dms, const DmsLayout& layout) {
  const auto minutes = DecimalAt(dms, layout.minutes_at, kMinutesWidth);
  const auto seconds = DecimalAt(dms, layout.seconds_at, kSecondsWidth);
  if (!minutes || !seconds) {
    return std::nullopt;
  }
  return *minutes + *seconds / 60.0;
}

std::string DmsToDegMinText(std::string_view dms, const DmsLayout& layout) {
  const auto degrees = WholeDegrees(dms, layout);
  const auto minutes = MinutesWithSeconds(dms, layout);
  if (!degrees || !minutes) {
    return std::string(kErr);
  }
  const int width = static_cast<int>(layout.degrees_width);
  return fmt::format(FMT_COMPILE("{}{:0{}d}* {}'"), Hemisphere(dms), *degrees, width,
                     FormatFixed(*minutes, 2));
}

std::string DmsToCivaText(std::string_view dms, const DmsLayout& layout) {
  const auto degrees = WholeDegrees(dms, layout);
  const auto minutes = MinutesWithSeconds(dms, layout);
  if (!degrees || !minutes) {
    return std::string(kErr);
  }
  std::string minutes_text = FormatFixed(*minutes, 1);
  constexpr std::size_t kMinutesLength = 4;
  if (minutes_text.size() < kMinutesLength) {
    minutes_text.insert(0, kMinutesLength - minutes_text.size(), '0');
  }
  // The degrees are copied as they stand in the text, not re-formatted.
  return fmt::format("{} {}*{}", Hemisphere(dms), CharacterSlice(dms, 1, layout.degrees_width),
                     minutes_text);
}

std::string DmsToDecimalHemText(std::string_view dms, const DmsLayout& layout) {
  const auto degrees = DecimalAt(dms, 2, layout.degrees_width);
  const auto minutes = DecimalAt(dms, layout.minutes_at, kMinutesWidth);
  const auto seconds = DecimalAt(dms, layout.seconds_at, kSecondsWidth);
  if (!degrees || !minutes || !seconds) {
    return std::string(kErr);
  }
  const double value = *degrees + *minutes / 60.0 + *seconds / 3600.0;
  return fmt::format("{} {}", Hemisphere(dms), FormatFixed(value, 4));
}

float DmsToDegrees(std::string_view dms, const DmsLayout& layout) {
  // No failure is reported here: a piece that does not read counts as 0.
  const double degrees = static_cast<double>(WholeDegrees(dms, layout).value_or(0));
  const double minutes = DecimalAt(dms, layout.minutes_at, kMinutesWidth).value_or(0.0);
  const double seconds = DecimalAt(dms, layout.seconds_at, kSecondsWidth).value_or(0.0);
  const auto value = static_cast<float>(degrees + (minutes + seconds / 60.0) / 60.0);
  return !dms.empty() && IsSouthOrWest(dms.front()) ? -value : value;
}

}  // namespace

std::string SqueezeBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool after_non_blank = true;
  for (const char c : text) {
    if (c != ' ' || after_non_blank)
      out += c;
    after_non_blank = c != ' ';
  }
  return out;
}

std::string DmsToDecimalText(std::string_view dms) {
  if (dms.empty()) {
    return std::string(kErr);
  }
  const char hemisphere = dms.front();
  std::string_view rest = AfterHemisphere(dms);
  const auto degrees = ReadDecimal(TakeUntil(rest, kDegreeSign));
  const auto minutes = ReadDecimal(TakeUntil(rest, "'"));
  // The last digit of the seconds is not read: 42.05 counts as 42.0.
  const auto seconds = ReadDecimal(WithoutLastCharacter(TakeUntil(rest, "\"")));
  if (!degrees || !minutes || !seconds) {
    return std::string(kErr);
  }
  const double value = *degrees + *minutes / 60.0 + *seconds / 3600.0;
  return FormatFixed(IsSouthOrWest(hemisphere) ? -value : value, 6);
}

std::string DecimalText6(std::string_view number) {
  return FormatFixed(ReadDecimal(number).value_or(0.0), 6);
}

std::string LatDmsToDegMinText(std::string_view dms) {
  return DmsToDegMinText(dms, kLatLayout);
}

std::string LonDmsToDegMinText(std::string_view dms) {
  return DmsToDegMinText(dms, kLonLayout);
}

std::string LatDmsToCivaText(std::string_view dms) {
  return DmsToCivaText(dms, kLatLayout);
}

std::string LonDmsToCivaText(std::string_view dms) {
  return DmsToCivaText(dms, kLonLayout);
}

std::string LatDmsToDecimalHemText(std::string_view dms) {
  return DmsToDecimalHemText(dms, kLatLayout);
}

std::string LonDmsToDecimalHemText(std::string_view dms) {
  return DmsToDecimalHemText(dms, kLonLayout);
}

float LatDmsToDegrees(std::string_view dms) {
  return DmsToDegrees(dms, kLatLayout);
}

float LonDmsToDegrees(std::string_view dms) {
  return DmsToDegrees(dms, kLonLayout);
}

long double InitialCourse(long double lat1, long double lon1, long double lat2, long double lon2) {
  constexpr long double kPi = std::numbers::pi_v<long double>;
  constexpr long double kToRadians = kPi / 180.0L;
  const long double phi1 = lat1 * kToRadians;
  const long double lambda1 = lon1 * kToRadians;
  const long double phi2 = lat2 * kToRadians;
  const long double lambda2 = lon2 * kToRadians;

  const long double y = std::cos(phi2) * std::sin(lambda1 - lambda2);
  const long double x = std::cos(phi1) * std::sin(phi2) -
                        std::sin(phi1) * std::cos(phi2) * std::cos(lambda1 - lambda2);
  long double theta = std::atan2(y, x);
  theta -= std::floor(theta / (2.0L * kPi)) * (2.0L * kPi);
  // The angle above is counter-clockwise; turning it round makes due north
  // 360 rather than 0.
  return 360.0L - theta * 180.0L / kPi;
}

std::string DegMinToFsxDmsText(std::string_view deg_min) {
  const std::string_view text = Trim(deg_min);
  const std::size_t star = text.find('*');
  const std::string_view head = star == std::string_view::npos ? "" : text.substr(0, star);

  // The minutes are the (up to) six characters after the first blank, less
  // the last one: "28.70'" or "5.50'" both lose their apostrophe.
  double minutes = 0.0;
  if (const std::size_t blank = text.find(' '); blank != std::string_view::npos) {
    const std::string_view minutes_text = CharacterSlice(text.substr(blank + 1), 0, 6);
    minutes = ReadDecimal(WithoutLastCharacter(minutes_text)).value_or(0.0);
  }
  // In hundredths of seconds. Anything too large to count that way is
  // treated like unreadable minutes.
  const double hundredths = std::round(minutes * 6000.0);
  constexpr double kLimit = 1e15;
  const auto n = std::fabs(hundredths) < kLimit ? static_cast<std::int64_t>(hundredths) : 0;
  return fmt::format("{}{} {}' {}\"", head, kDegreeSign, n / 6000,
                     FormatFixed(static_cast<double>(n % 6000) / 100.0, 2));
}

std::string DegMinToDecimalText(std::string_view deg_min) {
  if (deg_min.empty()) {
    return std::string(kErr);
  }
  const char hemisphere = deg_min.front();
  std::string_view rest = AfterHemisphere(deg_min);
  const auto degrees = ReadDecimal(TakeUntil(rest, "*"));
  const auto minutes = ReadDecimal(TakeUntil(rest, "'"));
  if (!degrees || !minutes) {
    return std::string(kErr);
  }
  const double value = *degrees + *minutes / 60.0;
  return FormatFixed(IsSouthOrWest(hemisphere) ? -value : value, 6);
}

std::string PadIntPart2(std::string_view number) {
  if (number.find('.') == 1) {
    return fmt::format("0{}", number);
  }
  return std::string(number);
}

std::string PadIntPart3(std::string_view number) {
  const bool negative = !number.empty() && number.front() == '-';
  const std::string_view digits = negative ? number.substr(1) : number;
  // The point is looked for in the text as given, sign included: that is what
  // leaves a negative number one digit shorter, the sign taking its place.
  const std::size_t point = number.find('.');
  const std::string_view padding = point == 1 ? "00" : point == 2 ? "0" : "";
  return fmt::format("{}{}{}", negative ? "-" : "", padding, digits);
}

}  // namespace korvanta
