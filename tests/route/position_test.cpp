#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

#include "readers/route_text_parser.hpp"
#include "route/position.hpp"
#include "text/cp1252.hpp"
#include "text/numbers.hpp"
#include "writers/coordinate_text.hpp"
#include "writers/fsx.hpp"

namespace korvanta {
namespace {

// The degree sign of the core's UTF-8 text, and of Windows-1252 input.
#define DEG "\xC2\xB0"
#define CP1252_DEG "\xB0"

TEST(CoordinateRead, DetailsListTexts) {
  constexpr auto kDoesNotRead = CoordinateFault::kDoesNotRead;
  constexpr auto kOutOfRange = CoordinateFault::kOutOfRange;
  struct Case {
    bool latitude;
    std::string_view text;
    std::int32_t hundredths;
    CoordinateFault fault;
  };
  const Case cases[] = {
      {true, "N51" DEG "28'42.00\"", 18532200, {}},
      {false, "W000" DEG "27'36.00\"", -165600, {}},
      {true, "S33" DEG "56'48.05\"", -12220805, {}},
      {true, "N51" DEG "28'42\"", 18532200, {}},
      {true, "N51" DEG "28'42.5\"", 18532250, {}},
      // Exactly on the limits.
      {true, "N90" DEG "00'00.00\"", 32400000, {}},
      {false, "E180" DEG "00'00.00\"", 64800000, {}},
      {false, "W180" DEG "00'00.00\"", -64800000, {}},
      {true, "S90" DEG "00'00.01\"", 0, kOutOfRange},
      {false, "E180" DEG "00'00.01\"", 0, kOutOfRange},
      {true, "N51" DEG "60'00.00\"", 0, kOutOfRange},
      {true, "N51" DEG "28'60.00\"", 0, kOutOfRange},
      {true, "X51" DEG "28'42.00\"", 0, kOutOfRange},
      {true, "E51" DEG "28'42.00\"", 0, kOutOfRange},
      {false, "N051" DEG "28'42.00\"", 0, kOutOfRange},
      // Not of the form: degree digits, separators, fraction digits.
      {true, "N5" DEG "02'00.00\"", 0, kDoesNotRead},
      {true, "N051" DEG "28'42.00\"", 0, kDoesNotRead},
      {false, "E08" DEG "28'42.00\"", 0, kDoesNotRead},
      {true, "N51" DEG "XX'00.00\"", 0, kDoesNotRead},
      {true, "N51" DEG "28'42.\"", 0, kDoesNotRead},
      {true, "N51" DEG "28'42.123\"", 0, kDoesNotRead},
      {true, "N51" DEG "28'42.00", 0, kDoesNotRead},
      {true, "N51" DEG "28'42.00\"x", 0, kDoesNotRead},
      {true, "N51 28'42.00\"", 0, kDoesNotRead},
      {true, "N51" CP1252_DEG "28'42.00\"", 0, kDoesNotRead},
      {true, "", 0, kDoesNotRead},
  };
  for (const auto& c : cases) {
    const CoordinateReading reading =
        c.latitude ? ReadDmsLatitude(c.text) : ReadDmsLongitude(c.text);
    EXPECT_EQ(reading.hundredths, c.hundredths) << c.text;
    EXPECT_EQ(reading.fault, c.fault) << c.text;
  }
  EXPECT_EQ(DmsLatitudeText(-12220805), "S33" DEG "56'48.05\"");
  EXPECT_EQ(DmsLongitudeText(64800000), "E180" DEG "00'00.00\"");
  EXPECT_EQ(DmsLatitudeText(0), "N00" DEG "00'00.00\"");
}

TEST(ConversionCourse, InitialCourse) {
  struct Case {
    long double lat1, lon1, lat2, lon2;
    long double expected;
  };
  // Due north, due south, due east and equal points come out exactly.
  const Case exact[] = {
      {0, 0, 1, 0, 360},   {0, 0, 0, 1, 90},   {10, 5, 0, 5, 180},
      {10, 5, 10, 5, 360}, {0, 0, 0, -1, 270},
  };
  for (const auto& c : exact) {
    EXPECT_EQ(InitialCourse(c.lat1, c.lon1, c.lat2, c.lon2), c.expected)
        << c.lat1 << "," << c.lon1 << " -> " << c.lat2 << "," << c.lon2;
  }
  const Case rounded[] = {
      {40, 18, 41, 15, 294.64L},
      {41, 15, 40, 18, 112.69L},
  };
  for (const auto& c : rounded) {
    const long double course = InitialCourse(c.lat1, c.lon1, c.lat2, c.lon2);
    EXPECT_NEAR(static_cast<double>(course), static_cast<double>(c.expected), 0.005)
        << c.lat1 << "," << c.lon1 << " -> " << c.lat2 << "," << c.lon2;
  }
}

}  // namespace
}  // namespace korvanta
