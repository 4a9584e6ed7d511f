#include "route/conversions.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

#include "text/cp1252.hpp"
#include "text/numbers.hpp"

namespace korvanta {
namespace {

// The degree sign of the core's UTF-8 text, and of Windows-1252 input.
#define DEG "\xC2\xB0"
#define CP1252_DEG "\xB0"

using TextOperation = std::string (*)(std::string_view);

struct TextCase {
  const char* name;
  TextOperation operation;
  std::string_view input;
  std::string_view expected;
};

TEST(ConversionText, KnownPositions) {
  const TextCase cases[] = {
      {"SqueezeBlanks", SqueezeBlanks, "A  B   C", "A B C"},
      {"SqueezeBlanks", SqueezeBlanks, "  X  ", " X "},
      {"SqueezeBlanks", SqueezeBlanks, "A\t\tB", "A\t\tB"},
      {"DmsToDecimalText", DmsToDecimalText, "N51" DEG "28'42.00\"", "51.478333"},
      {"DmsToDecimalText", DmsToDecimalText, "W000" DEG "27'36.00\"", "-0.460000"},
      {"DmsToDecimalText", DmsToDecimalText, "S33" DEG "56'48.00\"", "-33.946667"},
      {"DecimalText6", DecimalText6, "113.90", "113.900000"},
      {"DecimalText6", DecimalText6, "ABC", "0.000000"},
      {"LatDmsToDegMinText", LatDmsToDegMinText, "N51" DEG "28'42.00\"", "N51* 28.70'"},
      {"LatDmsToDegMinText", LatDmsToDegMinText, "N51" DEG "05'30.00\"", "N51* 5.50'"},
      {"LonDmsToDegMinText", LonDmsToDegMinText, "W000" DEG "27'36.00\"", "W000* 27.60'"},
      {"LatDmsToCivaText", LatDmsToCivaText, "N51" DEG "28'42.00\"", "N 51*28.7"},
      {"LatDmsToCivaText", LatDmsToCivaText, "N51" DEG "05'30.00\"", "N 51*05.5"},
      {"LonDmsToCivaText", LonDmsToCivaText, "W000" DEG "27'36.00\"", "W 000*27.6"},
      {"LatDmsToDecimalHemText", LatDmsToDecimalHemText, "N51" DEG "28'42.00\"", "N 51.4783"},
      {"LonDmsToDecimalHemText", LonDmsToDecimalHemText, "W000" DEG "27'36.00\"", "W 0.4600"},
      {"DegMinToFsxDmsText", DegMinToFsxDmsText, "N51* 28.70'", "N51" DEG " 28' 42.00\""},
      {"DegMinToFsxDmsText", DegMinToFsxDmsText, "W000* 27.60'", "W000" DEG " 27' 36.00\""},
      {"DegMinToFsxDmsText", DegMinToFsxDmsText, "N51* 5.50'", "N51" DEG " 5' 30.00\""},
      {"DegMinToDecimalText", DegMinToDecimalText, "N51* 28.70'", "51.478333"},
      {"DegMinToDecimalText", DegMinToDecimalText, "W000* 27.60'", "-0.460000"},
      {"PadIntPart2", PadIntPart2, "5.123456", "05.123456"},
      {"PadIntPart2", PadIntPart2, "-5.123456", "-5.123456"},
      {"PadIntPart3", PadIntPart3, "5.5", "005.5"},
      {"PadIntPart3", PadIntPart3, "51.5", "051.5"},
      {"PadIntPart3", PadIntPart3, "151.5", "151.5"},
      {"PadIntPart3", PadIntPart3, "-5.5", "-05.5"},
      {"PadIntPart3", PadIntPart3, "-0.460000", "-00.460000"},
      {"PadIntPart3", PadIntPart3, "-51.5", "-51.5"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.operation(c.input), c.expected) << c.name << "(" << c.input << ")";
  }
}

TEST(ConversionText, EdgeCases) {
  const TextCase cases[] = {
      // The last seconds digit is dropped before reading.
      {"DmsToDecimalText", DmsToDecimalText, "N51" DEG "28'42.05\"", "51.478333"},
      // Separator-based reading takes any number of degree digits.
      {"DmsToDecimalText", DmsToDecimalText, "E8" DEG "30'00.00\"", "8.500000"},
      // Only S and W are negative.
      {"DmsToDecimalText", DmsToDecimalText, "X51" DEG "28'42.00\"", "51.478333"},
      {"DmsToDecimalText", DmsToDecimalText, "W000" DEG "00'00.00\"", "0.000000"},
      {"DmsToDecimalText", DmsToDecimalText, "N51 28'42.00\"", "ERR"},
      {"DmsToDecimalText", DmsToDecimalText, "N51" DEG "28'42.00", "ERR"},
      {"LatDmsToDegMinText", LatDmsToDegMinText, "N5" DEG "28'42.00\"", "ERR"},
      // Minutes round up to 60 and nothing is carried into the degrees.
      {"LatDmsToDegMinText", LatDmsToDegMinText, "N51" DEG "59'59.90\"", "N51* 60.00'"},
      {"LatDmsToDegMinText", LatDmsToDegMinText, "N51" DEG "28'", "ERR"},
      {"LonDmsToDegMinText", LonDmsToDegMinText, "E008" DEG "05'30.00\"", "E008* 5.50'"},
      {"LonDmsToDegMinText", LonDmsToDegMinText, "N51" DEG "28'42.00\"", "ERR"},
      {"LatDmsToCivaText", LatDmsToCivaText, "N 5" DEG "00'00.00\"", "N  5*00.0"},
      {"LatDmsToCivaText", LatDmsToCivaText, "N5" DEG "28'42.00\"", "ERR"},
      {"LonDmsToCivaText", LonDmsToCivaText, "E008" DEG "05'", "ERR"},
      {"LatDmsToDecimalHemText", LatDmsToDecimalHemText, "S33" DEG "56'48.00\"", "S 33.9467"},
      {"LatDmsToDecimalHemText", LatDmsToDecimalHemText, "S33" DEG "5x'48.00\"", "ERR"},
      {"LonDmsToDecimalHemText", LonDmsToDecimalHemText, "W000" DEG "27'36.0", "ERR"},
      {"DegMinToFsxDmsText", DegMinToFsxDmsText, "N51* 60.00'", "N51" DEG " 60' 0.00\""},
      {"DegMinToFsxDmsText", DegMinToFsxDmsText, "ERR", DEG " 0' 0.00\""},
      {"DegMinToFsxDmsText", DegMinToFsxDmsText, "  S33* 56.80'\r\n", "S33" DEG " 56' 48.00\""},
      {"DegMinToFsxDmsText", DegMinToFsxDmsText, "N51* xx.70'", "N51" DEG " 0' 0.00\""},
      // 1.13 * 6000 lies just below 6780; it must round, not cut.
      {"DegMinToFsxDmsText", DegMinToFsxDmsText, "E008* 1.13'", "E008" DEG " 1' 7.80\""},
      {"DegMinToDecimalText", DegMinToDecimalText, "S33* 56.80'", "-33.946667"},
      {"DegMinToDecimalText", DegMinToDecimalText, "N51 28.70'", "ERR"},
      {"DegMinToDecimalText", DegMinToDecimalText, "N51* 28.70", "ERR"},
      {"PadIntPart3", PadIntPart3, "0.46", "000.46"},
      {"PadIntPart3", PadIntPart3, "12", "12"},
      {"PadIntPart2", PadIntPart2, "12", "12"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.operation(c.input), c.expected) << c.name << "(" << c.input << ")";
  }
}

TEST(ConversionText, ReadsEightyCharactersAfterTheHemisphere) {
  // Blanks after the seconds are allowed, so only the length decides here.
  const std::string head = "N51" DEG "28'42.00";
  EXPECT_EQ(DmsToDecimalText(head + std::string(68, ' ') + "\""), "51.478333");
  EXPECT_EQ(DmsToDecimalText(head + std::string(69, ' ') + "\""), "ERR");
}

TEST(ConversionDegrees, SinglePrecisionWithSign) {
  struct Case {
    float (*operation)(std::string_view);
    std::string_view input;
    float expected;
  };
  const Case cases[] = {
      {LatDmsToDegrees, "N51" DEG "28'42.00\"", 51.47833f},
      {LatDmsToDegrees, "S33" DEG "56'48.00\"", -33.94667f},
      {LonDmsToDegrees, "W000" DEG "27'36.00\"", -0.46f},
      {LonDmsToDegrees, "S151" DEG "10'37.20\"", -151.17700f},
      // Unreadable pieces count as 0, whatever else reads.
      {LatDmsToDegrees, "Nx1" DEG "30'00.00\"", 0.5f},
      {LatDmsToDegrees, "N51" DEG "xx'36.00\"", 51.01f},
      {LatDmsToDegrees, "S51", -51.0f},
      {LonDmsToDegrees, "", 0.0f},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(c.operation(c.input), c.expected, 1e-5) << c.input;
  }
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
