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

// The FSX plan and the Google Earth file read the FS2004 plan's coordinates.
TEST(CoordinateText, Fs2004TextReadBack) {
  const std::pair<std::string_view, std::string_view> fsx[] = {
      {"N51* 28.70'", "N51" DEG " 28' 42.00\""},
      {"W000* 27.60'", "W000" DEG " 27' 36.00\""},
      {"N51* 5.50'", "N51" DEG " 5' 30.00\""},
      {"ERR", DEG " 0' 0.00\""},
      {"  S33* 56.80'\r\n", "S33" DEG " 56' 48.00\""},
      {"N51* xx.70'", "N51" DEG " 0' 0.00\""},
      // 1.13 * 6000 lies just below 6780; it must round, not cut.
      {"E008* 1.13'", "E008" DEG " 1' 7.80\""},
  };
  for (const auto& [fs2004, expected] : fsx)
    EXPECT_EQ(FsxCoordinateText(fs2004), expected) << fs2004;
  // A minute that rounds to 60 reaches the FSX plan carried.
  EXPECT_EQ(FsxCoordinateText(Fs2004LatitudeText(Angle(50, 59, 5990))), "N51" DEG " 0' 0.00\"");

  const std::pair<std::string_view, std::string_view> degrees[] = {
      {"N51* 28.70'", "51.478333"}, {"W000* 27.60'", "-0.460000"}, {"S33* 56.80'", "-33.946667"},
      {"N51 28.70'", "ERR"},        {"N51* 28.70", "ERR"},
  };
  for (const auto& [fs2004, expected] : degrees)
    EXPECT_EQ(Fs2004CoordinateDegreesText(fs2004), expected) << fs2004;
}

TEST(RouteTextLines, SqueezeBlanks) {
  EXPECT_EQ(SqueezeBlanks("A  B   C"), "A B C");
  EXPECT_EQ(SqueezeBlanks("  X  "), " X ");
  EXPECT_EQ(SqueezeBlanks("A\t\tB"), "A\t\tB");
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

TEST(NumberRead, Integer) {
  const std::pair<std::string_view, std::optional<std::int64_t>> cases[] = {
      {"51", 51}, {"  7", 7}, {"+5", 5},   {"-05", -5}, {"", {}},    {"   ", {}},
      {"-", {}},  {"5 ", {}}, {"1.0", {}}, {"+-5", {}}, {"\t5", {}}, {"99999999999999999999", {}},
  };
  for (const auto& [input, expected] : cases) {
    EXPECT_EQ(ReadInteger(input), expected) << "\"" << input << "\"";
  }
}

TEST(NumberRead, Decimal) {
  const std::pair<std::string_view, std::optional<double>> cases[] = {
      {"42.00", 42.0}, {" 28.70 ", 28.7}, {"+1.5", 1.5},    {"-0.25", -0.25},  {".5", 0.5},
      {"5.", 5.0},     {"1e3", 1000.0},   {"2.5E-1", 0.25}, {"-1e+2", -100.0}, {"", {}},
      {" ", {}},       {".", {}},         {"1e", {}},       {"1,5", {}},       {"1.5x", {}},
      {"inf", {}},     {"nan", {}},       {"0x1p3", {}},    {"1 2", {}},       {"++1", {}},
      {"1.2.3", {}},   {"-.5", -0.5},     {"+.", {}},       {"-0", -0.0},      {"1-", {}},
  };
  for (const auto& [input, expected] : cases) {
    EXPECT_EQ(ReadDecimal(input), expected) << "\"" << input << "\"";
  }
}

TEST(NumberFormat, FixedAndTrim) {
  struct Case {
    double value;
    int decimals;
    std::string_view expected;
  };
  const Case cases[] = {
      {-0.46, 6, "-0.460000"}, {-0.0000001, 6, "0.000000"}, {-0.0, 2, "0.00"},
      {-0.005001, 2, "-0.01"}, {28.7, 1, "28.7"},           {-10.0, 0, "-10"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatFixed(c.value, c.decimals), c.expected) << c.value;
  }
  EXPECT_EQ(Trim(" \t\r\nN51* 28.70'\x01 \r\n"), "N51* 28.70'");
  EXPECT_EQ(Trim("  "), "");
}

// Exact halves (0.125, 0.375, 2.5) go to the even digit; 59.995 is stored
// just below its half. Past 2^32 and nine decimals the general path formats.
TEST(NumberFormat, FixedRoundsTheStoredValue) {
  const std::tuple<double, int, std::string_view> cases[] = {
      {0.125, 2, "0.12"},
      {-0.375, 2, "-0.38"},
      {2.5, 0, "2"},
      {59.995, 2, "59.99"},
      {1e-30, 2, "0.00"},
      {12.3456789, 9, "12.345678900"},
      {0.5, 12, "0.500000000000"},
      {4294967296.25, 1, "4294967296.2"},
  };
  for (const auto& [value, decimals, expected] : cases)
    EXPECT_EQ(FormatFixed(value, decimals), expected) << value;
}

TEST(Cp1252Text, ConvertsBothWays) {
  // Pairs that convert into each other exactly, in both directions.
  const std::pair<std::string_view, std::string_view> round_trip[] = {
      {"N51" CP1252_DEG "28'", "N51" DEG "28'"},
      {"\x80", "\xE2\x82\xAC"},
      {"\x8A\x9F\x99", "\xC5\xA0\xC5\xB8\xE2\x84\xA2"},
      {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
      {"\xA0\xE9\xFF", "\xC2\xA0\xC3\xA9\xC3\xBF"},
  };
  for (const auto& [cp1252, utf8] : round_trip) {
    EXPECT_EQ(Cp1252ToUtf8(cp1252), utf8);
    EXPECT_EQ(Utf8ToCp1252(utf8), cp1252);
  }

  // Characters without a form, C1 controls that 1252 puts other characters
  // on, and malformed sequences all become "?".
  const std::pair<std::string_view, std::string_view> to_cp1252[] = {
      {"\xC5\x81", "?"},              // L with stroke
      {"a\xF0\x9F\x9B\xABz", "a?z"},  // outside the BMP
      {"\xC2\x80", "?"},              // U+0080, not the euro sign
      {"\xE2\x82x", "?x"},            // cut short, then read on
      {"\xC0\xAF", "??"},             // overlong
      {"\xED\xA0\x80", "???"},        // surrogate
      {"A\xE2\x82", "A?"},            // cut off by the end
  };
  for (const auto& [utf8, cp1252] : to_cp1252) {
    EXPECT_EQ(Utf8ToCp1252(utf8), cp1252) << utf8;
  }
}

TEST(Cp1252Text, InputIsDecodedOnce) {
  // Valid UTF-8 stays as it is, without its byte order mark; anything else is
  // Windows-1252. The same route read from either file gives the same text.
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"N51" DEG "28'", "N51" DEG "28'"},
      {"N51" CP1252_DEG "28'", "N51" DEG "28'"},
      {"\xEF\xBB\xBF\xC5\x81\xC3\x93\x44\xC5\xB9 \xE2\x82\xAC",
       "\xC5\x81\xC3\x93\x44\xC5\xB9 \xE2\x82\xAC"},
      {"plain", "plain"},
      // Malformed UTF-8 is Windows-1252 text as it stands, not a string of "?".
      {DEG "\xE9t", "\xC3\x82" DEG "\xC3\xA9t"},
  };
  for (const auto& [bytes, text] : cases) {
    EXPECT_EQ(InputToUtf8(bytes), text) << bytes;
  }
}

#undef DEG
#undef CP1252_DEG

}  // namespace
}  // namespace korvanta
