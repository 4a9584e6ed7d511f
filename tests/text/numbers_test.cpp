#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "text/numbers.hpp"

namespace korvanta {
namespace {

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

// Exact on the digits, half away from zero, in 64 bits for a dozen digits
// and by the digits beyond; both ways must agree.
TEST(NumberRead, RoundedDecimal) {
  const struct {
    std::string_view text;
    std::int64_t multiplier;
    std::int64_t divisor;
    std::optional<std::int64_t> expected;
  } cases[] = {
      {"51.477500", 360000, 1, 18531900},
      {"-0.484976", 360000, 1, -174591},
      {"0.0000013889", 360000, 1, 1},
      {"-0.0000013888", 360000, 1, 0},
      {"2.5", 1, 1, 3},
      {"-2.5", 1, 1, -3},
      {"0.0000000000013889", 360000, 1, 0},
      {"51.4775000000000", 360000, 1, 18531900},
      {"1234567.8901235", 100, 1, 123456789},
      {"10", 1, 4, 3},
      {"10", 1, 3, 3},
      {"1000000000000001", 1, 1, {}},
      {"5.", 10, 1, 50},
      {".", 10, 1, {}},
      {"1e3", 10, 1, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RoundedDecimal(c.text, c.multiplier, c.divisor), c.expected) << c.text;
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

}  // namespace
}  // namespace korvanta
