#include "writers/coordinate_text.hpp"

#include <fmt/format.h>

#include <cstdlib>
#include <string>

#include "route/position.hpp"
#include "text/numbers.hpp"

namespace korvanta {

namespace {

// Hundredths of a second to millionths of a degree (x / 360000 * 10^6 =
// x * 25 / 9), rounded half away from zero.
std::int64_t Microdegrees(std::int64_t hundredths) {
  const std::int64_t scaled = std::llabs(hundredths) * 25;
  std::int64_t micro = scaled / 9;
  if ((scaled % 9) * 2 >= 9)
    ++micro;
  return hundredths < 0 ? -micro : micro;
}

std::string MicrodegreeText(std::int64_t hundredths) {
  const std::int64_t micro = Microdegrees(hundredths);
  return fmt::format("{}{}.{:06}", micro < 0 ? "-" : "", std::llabs(micro) / 1000000,
                     std::llabs(micro) % 1000000);
}

std::string DecimalWithHemisphere(std::int32_t hundredths, char positive, char negative) {
  const AngleParts parts = PartsOf(hundredths);
  const double value = static_cast<double>(parts.degrees) + parts.minutes / 60.0 +
                       parts.second_hundredths / 100.0 / 3600.0;
  return fmt::format("{} {}", hundredths < 0 ? negative : positive, FormatFixed(value, 4));
}

// The whole degrees and the minutes with the seconds folded in, to
// `decimals` places. Minutes that round to 60 are carried into the degree.
struct RoundedMinutes {
  std::int32_t degrees;
  std::string minutes;
};
RoundedMinutes RoundMinutes(std::int32_t hundredths, int decimals) {
  const AngleParts parts = PartsOf(hundredths);
  std::string minutes = FormatFixed(MinutesWithSeconds(parts), decimals);
  if (minutes.starts_with("60."))
    return {parts.degrees + 1, FormatFixed(0.0, decimals)};
  return {parts.degrees, std::move(minutes)};
}

// "N51* 28.70'" and "W000* 27.60'": whole degrees and minutes to the
// hundredth.
std::string DegreesMinutesText(std::int32_t hundredths, char positive, char negative,
                               int degree_digits) {
  const RoundedMinutes rounded = RoundMinutes(hundredths, 2);
  return fmt::format("{}{:0{}d}* {}'", hundredths < 0 ? negative : positive, rounded.degrees,
                     degree_digits, rounded.minutes);
}

// "N 51*28.7" and "W 000*27.6": the degrees and the minutes to a tenth, at
// least four characters.
std::string CardCoordinateText(std::int32_t hundredths, char positive, char negative,
                               int degree_digits) {
  RoundedMinutes rounded = RoundMinutes(hundredths, 1);
  constexpr std::size_t kMinutesLength = 4;
  if (rounded.minutes.size() < kMinutesLength)
    rounded.minutes.insert(0, kMinutesLength - rounded.minutes.size(), '0');
  return fmt::format("{} {:0{}d}*{}", hundredths < 0 ? negative : positive, rounded.degrees,
                     degree_digits, rounded.minutes);
}

}  // namespace

std::string SixDecimalDegreesText(std::int32_t hundredths) {
  // Tenths of a second, the sign kept: exactly the value the six decimals
  // have always rounded (the sum's binary error is far from any half).
  return MicrodegreeText(hundredths / 10 * 10);
}

std::int64_t SixDecimalMicrodegrees(std::int32_t hundredths) {
  return Microdegrees(hundredths / 10 * 10);
}

std::string ExactDegreesText(std::int32_t hundredths) {
  return MicrodegreeText(hundredths);
}

std::string DecimalLatitudeWithHemisphere(std::int32_t hundredths) {
  return DecimalWithHemisphere(hundredths, 'N', 'S');
}

std::string DecimalLongitudeWithHemisphere(std::int32_t hundredths) {
  return DecimalWithHemisphere(hundredths, 'E', 'W');
}

std::string Fs2004LatitudeText(std::int32_t hundredths) {
  return DegreesMinutesText(hundredths, 'N', 'S', 2);
}

std::string Fs2004LongitudeText(std::int32_t hundredths) {
  return DegreesMinutesText(hundredths, 'E', 'W', 3);
}

std::string CivaLatitudeText(std::int32_t hundredths) {
  return CardCoordinateText(hundredths, 'N', 'S', 2);
}

std::string CivaLongitudeText(std::int32_t hundredths) {
  return CardCoordinateText(hundredths, 'E', 'W', 3);
}

AngleParts PartsOf(std::int32_t hundredths) {
  const std::int32_t magnitude = std::abs(hundredths);
  return {magnitude / kHundredthsPerDegree, magnitude / kHundredthsPerMinute % 60,
          magnitude % kHundredthsPerMinute};
}

double MinutesWithSeconds(const AngleParts& parts) {
  return parts.minutes + parts.second_hundredths / 100.0 / 60.0;
}

}  // namespace korvanta
