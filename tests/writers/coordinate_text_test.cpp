#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "route/position.hpp"
#include "writers/coordinate_text.hpp"

namespace korvanta {
namespace {

// Hundredths of an arc-second of a latitude: degrees, minutes, seconds.
constexpr std::int32_t Angle(std::int32_t degrees, std::int32_t minutes,
                             std::int32_t second_hundredths) {
  return degrees * kHundredthsPerDegree + minutes * kHundredthsPerMinute + second_hundredths;
}

TEST(CoordinateText, LatitudeForms) {
  struct Case {
    std::int32_t hundredths;
    std::string_view six_decimals, exact, with_hemisphere, fs2004, civa;
  };
  const Case cases[] = {
      {Angle(51, 28, 4200), "51.478333", "51.478333", "N 51.4783", "N51* 28.70'", "N 51*28.7"},
      {Angle(51, 5, 3000), "51.091667", "51.091667", "N 51.0917", "N51* 5.50'", "N 51*05.5"},
      {-Angle(33, 56, 4800), "-33.946667", "-33.946667", "S 33.9467", "S33* 56.80'", "S 33*56.8"},
      // The six decimals do not count the hundredths of a second.
      {Angle(51, 28, 4205), "51.478333", "51.478347", "N 51.4783", "N51* 28.70'", "N 51*28.7"},
      // An exact half of the minutes' hundredths is taken down, as ever.
      {Angle(48, 15, 450), "48.251250", "48.251250", "N 48.2512", "N48* 15.07'", "N 48*15.1"},
      // Minutes that round to 60 are carried into the degree.
      {Angle(50, 59, 5990), "50.999972", "50.999972", "N 51.0000", "N51* 0.00'", "N 51*00.0"},
      {Angle(51, 59, 5700), "51.999167", "51.999167", "N 51.9992", "N51* 59.95'", "N 52*00.0"},
      {-Angle(89, 59, 5999), "-89.999972", "-89.999997", "S 90.0000", "S90* 0.00'", "S 90*00.0"},
      // A zero angle, or one that shows as zero, is north.
      {0, "0.000000", "0.000000", "N 0.0000", "N00* 0.00'", "N 00*00.0"},
      {-1, "0.000000", "-0.000003", "S 0.0000", "S00* 0.00'", "S 00*00.0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SixDecimalDegreesText(c.hundredths), c.six_decimals) << c.hundredths;
    EXPECT_EQ(ExactDegreesText(c.hundredths), c.exact) << c.hundredths;
    EXPECT_EQ(DecimalLatitudeWithHemisphere(c.hundredths), c.with_hemisphere) << c.hundredths;
    EXPECT_EQ(Fs2004LatitudeText(c.hundredths), c.fs2004) << c.hundredths;
    EXPECT_EQ(CivaLatitudeText(c.hundredths), c.civa) << c.hundredths;
  }
  // Longitudes: three degree digits, E and W.
  EXPECT_EQ(Fs2004LongitudeText(-Angle(0, 27, 3600)), "W000* 27.60'");
  EXPECT_EQ(Fs2004LongitudeText(Angle(179, 59, 5990)), "E180* 0.00'");
  EXPECT_EQ(CivaLongitudeText(-Angle(0, 27, 3600)), "W 000*27.6");
  EXPECT_EQ(DecimalLongitudeWithHemisphere(-Angle(0, 27, 3600)), "W 0.4600");
  EXPECT_EQ(DecimalLongitudeWithHemisphere(0), "E 0.0000");
}

}  // namespace
}  // namespace korvanta
