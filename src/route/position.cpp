#include "route/position.hpp"

#include <fmt/format.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <optional>

namespace korvanta {

namespace {

constexpr std::string_view kDegreeSign = "\xC2\xB0";

struct Axis {
  char positive;  // the hemisphere letters
  char negative;
  std::size_t degree_digits;
  std::int32_t limit;
};

constexpr Axis kLatitude{'N', 'S', 2, kLatitudeLimit};
constexpr Axis kLongitude{'E', 'W', 3, kLongitudeLimit};

bool Take(std::string_view& rest, std::string_view expected) {
  if (!rest.starts_with(expected))
    return false;
  rest.remove_prefix(expected.size());
  return true;
}

// Exactly `count` decimal digits at the front of `rest`, stepped over.
std::optional<std::int32_t> TakeDigits(std::string_view& rest, std::size_t count) {
  if (rest.size() < count)
    return std::nullopt;
  std::int32_t value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    if (rest[i] < '0' || rest[i] > '9')
      return std::nullopt;
    value = value * 10 + (rest[i] - '0');
  }
  rest.remove_prefix(count);
  return value;
}

bool IsAsciiLetter(char letter) {
  return (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z');
}

CoordinateReading ReadDms(std::string_view text, const Axis& axis) {
  constexpr CoordinateReading kDoesNotRead{0, CoordinateFault::kDoesNotRead};
  constexpr CoordinateReading kOutOfRange{0, CoordinateFault::kOutOfRange};
  if (text.empty() || !IsAsciiLetter(text.front()))
    return kDoesNotRead;
  std::string_view rest = text.substr(1);
  const auto degrees = TakeDigits(rest, axis.degree_digits);
  if (!degrees || !Take(rest, kDegreeSign))
    return kDoesNotRead;
  const auto minutes = TakeDigits(rest, 2);
  if (!minutes || !Take(rest, "'"))
    return kDoesNotRead;
  const auto seconds = TakeDigits(rest, 2);
  if (!seconds)
    return kDoesNotRead;
  // "42", "42.5" and "42.50" all read.
  std::int32_t fraction = 0;
  if (Take(rest, ".")) {
    const auto tenths = TakeDigits(rest, 1);
    if (!tenths)
      return kDoesNotRead;
    fraction = *tenths * 10 + TakeDigits(rest, 1).value_or(0);
  }
  if (!Take(rest, "\"") || !rest.empty())
    return kDoesNotRead;

  const char hemisphere = text.front();
  if (hemisphere != axis.positive && hemisphere != axis.negative)
    return kOutOfRange;
  if (*minutes >= 60 || *seconds >= 60)
    return kOutOfRange;
  const std::int32_t magnitude = *degrees * kHundredthsPerDegree + *minutes * kHundredthsPerMinute +
                                 *seconds * kHundredthsPerSecond + fraction;
  if (magnitude > axis.limit)
    return kOutOfRange;
  return {hemisphere == axis.negative ? -magnitude : magnitude, CoordinateFault::kNone};
}

std::string DmsText(std::int32_t hundredths, const Axis& axis) {
  const std::int32_t magnitude = std::abs(hundredths);
  return fmt::format("{}{:0{}}{}{:02}'{:02}.{:02}\"",
                     hundredths < 0 ? axis.negative : axis.positive,
                     magnitude / kHundredthsPerDegree, axis.degree_digits, kDegreeSign,
                     magnitude / kHundredthsPerMinute % 60, magnitude / kHundredthsPerSecond % 60,
                     magnitude % kHundredthsPerSecond);
}

}  // namespace

CoordinateReading ReadDmsLatitude(std::string_view text) {
  return ReadDms(text, kLatitude);
}

CoordinateReading ReadDmsLongitude(std::string_view text) {
  return ReadDms(text, kLongitude);
}

std::string DmsLatitudeText(std::int32_t hundredths) {
  return DmsText(hundredths, kLatitude);
}

std::string DmsLongitudeText(std::int32_t hundredths) {
  return DmsText(hundredths, kLongitude);
}

long double InitialCourse(long double lat1, long double lon1, long double lat2, long double lon2) {
  constexpr long double kPi = std::numbers::pi_v<long double>;
  constexpr long double kToRadians = kPi / 180.0L;
  const long double phi1 = lat1 * kToRadians;
  const long double lambda1 = lon1 * kToRadians;
  const long double phi2 = lat2 * kToRadians;
  const long double lambda2 = lon2 * kToRadians;

  const long double east = std::cos(phi2) * std::sin(lambda1 - lambda2);
  const long double north = std::cos(phi1) * std::sin(phi2) -
                            std::sin(phi1) * std::cos(phi2) * std::cos(lambda1 - lambda2);
  long double theta = std::atan2(east, north);
  theta -= std::floor(theta / (2.0L * kPi)) * (2.0L * kPi);
  // The angle above is counter-clockwise; turning it round makes due north
  // 360 rather than 0.
  return 360.0L - theta * 180.0L / kPi;
}

}  // namespace korvanta
