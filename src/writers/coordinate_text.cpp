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

// "N51* 28.70'" and "W000* 27.60'": whole degrees and minutes to the
// hundredth. Minutes that round to 60 are carried into the degree.
std::string DegreesMinutesText(std::int32_t hundredths, char positive, char negative,
                               int degree_digits) {
  AngleParts parts = PartsOf(hundredths);
  std::string minutes = FormatFixed(MinutesWithSeconds(parts), 2);
  if (minutes == "60.00") {
    ++parts.degrees;
    minutes = "0.00";
  }
  return fmt::format("{}{:0{}d}* {}'", hundredths < 0 ? negative : positive, parts.degrees,
                     degree_digits, minutes);
}

// "N 51*28.7" and "W 000*27.6": the degrees and the minutes to a tenth, at
// least four characters. Minutes that round to 60 are carried into the
// degree.
std::string CardCoordinateText(std::int32_t hundredths, char positive, char negative,
                               int degree_digits) {
  AngleParts parts = PartsOf(hundredths);
  std::string minutes = FormatFixed(MinutesWithSeconds(parts), 1);
  if (minutes == "60.0") {
    ++parts.degrees;
    minutes = "0.0";
  }
  constexpr std::size_t kMinutesLength = 4;
  if (minutes.size() < kMinutesLength)
    minutes.insert(0, kMinutesLength - minutes.size(), '0');
  return fmt::format("{} {:0{}d}*{}", hundredths < 0 ? negative : positive, parts.degrees,
                     degree_digits, minutes);
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
