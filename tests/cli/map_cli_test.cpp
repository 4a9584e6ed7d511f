// `korvanta-cli map`: the bundled routes' pictures against their expected
// files (tests/data/README.md tells how to make them again), and its errors.

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

#include "test_support.hpp"

namespace korvanta {
namespace {

bool IsNumberCharacter(char c) {
  return (c >= '0' && c <= '9') || c == '.' || c == '-';
}

// Where the two documents first differ, or empty when they agree: the text
// between numbers byte for byte, every number within one unit of its last
// digit (a tenth of a pixel; another maths library may round the other way).
std::string FirstDifference(std::string_view actual, std::string_view expected) {
  std::size_t a = 0;
  std::size_t e = 0;
  while (a < actual.size() && e < expected.size()) {
    if (IsNumberCharacter(actual[a]) && IsNumberCharacter(expected[e])) {
      double actual_number = 0;
      double expected_number = 0;
      const auto actual_end =
          std::from_chars(actual.data() + a, actual.data() + actual.size(), actual_number);
      const auto expected_end =
          std::from_chars(expected.data() + e, expected.data() + expected.size(), expected_number);
      const std::size_t actual_next = static_cast<std::size_t>(actual_end.ptr - actual.data());
      const std::size_t expected_next =
          static_cast<std::size_t>(expected_end.ptr - expected.data());
      if (actual_end.ec == std::errc() && expected_end.ec == std::errc() && actual_next > a &&
          expected_next > e) {
        if (std::abs(actual_number - expected_number) > 0.1 + 1e-9)
          return std::string(actual.substr(a, 40)) + " | expected " +
                 std::string(expected.substr(e, 40));
        a = actual_next;
        e = expected_next;
        continue;
      }
    }
    if (actual[a] != expected[e])
      return std::string(actual.substr(a, 40)) + " | expected " +
             std::string(expected.substr(e, 40));
    ++a;
    ++e;
  }
  if (a != actual.size() || e != expected.size())
    return "lengths differ at " + std::string(actual.substr(a, 40));
  return "";
}

TEST(CliMap, BundledRoutesDrawAsExpected) {
  const test::TempDir dir;
  const bool have_xmllint =
      !test::kOnWindows && std::system("command -v xmllint > /dev/null 2>&1") == 0;
  for (const std::string name : {"example_route", "nat_route", "route_south_west"}) {
    const std::string svg = (dir / (name + ".svg")).string();
    const auto run =
        test::RunCli("map '" + (test::DataDir() / (name + ".txt")).string() + "' -o '" + svg + "'");
    ASSERT_EQ(run.status, 0) << name << "\n" << run.err;
    EXPECT_EQ(FirstDifference(test::ReadFile(svg),
                              test::ReadFile(test::DataDir() / "expected_maps" / (name + ".svg"))),
              "")
        << name;
    if (have_xmllint) {
      EXPECT_EQ(std::system(("xmllint --noout '" + svg + "'").c_str()), 0) << name;
    }
  }
  // One unit of the last digit passes; two do not.
  EXPECT_EQ(FirstDifference("x=\"10.1\" y=\"3.0\"", "x=\"10.2\" y=\"2.9\""), "");
  EXPECT_NE(FirstDifference("x=\"10.1\"", "x=\"10.3\""), "");
  EXPECT_NE(FirstDifference("id=\"a\"", "id=\"b\""), "");
}

TEST(CliMap, StandardInputToStandardOutput) {
  const std::string example = (test::DataDir() / "example_route.txt").string();
  const test::TempDir dir;
  const auto to_file = test::RunCli("map --width 400 --height 300 '" + example + "' -o '" +
                                    (dir / "map.svg").string() + "'");
  const auto piped = test::RunCli("map --width 400 --height 300 -o - -", example);
  EXPECT_EQ(piped.status, 0) << piped.err;
  EXPECT_EQ(piped.out, test::ReadFile(dir / "map.svg"));
  EXPECT_NE(piped.out.find("width=\"400.0\" height=\"300.0\""), std::string::npos);
}

TEST(CliMap, ErrorsAsConvertReportsThem) {
  const test::TempDir dir;
  std::string bad = test::ReadFile(test::DataDir() / "example_route.txt");
  bad.replace(bad.find("N50", bad.find("TOBAK", bad.find("Details"))), 3, "N5X");
  test::WriteFile(dir / "bad.txt", bad);
  test::WriteFile(dir / "wrong.txt", "hello\r\nworld\r\n");
  const std::string example = "'" + (test::DataDir() / "example_route.txt").string() + "'";
  const std::string out = " -o '" + (dir / "out.svg").string() + "'";
  struct Case {
    std::string args;
    int status;
    std::string err_contains;
  };
  const Case cases[] = {
      {"map '" + (dir / "wrong.txt").string() + "'" + out, 3, "Wrong format"},
      {"map '" + (dir / "bad.txt").string() + "'" + out, 3, "Waypoint TOBAK: latitude"},
      {"map '" + (dir / "absent.txt").string() + "'" + out, 1, "No such file"},
      {"map " + example + " -o '" + (dir / "no" / "such" / "folder.svg").string() + "'", 1,
       "folder.svg"},
      {"map " + example, 2, "--output"},
      {"map --width 100 --margin 50 " + example + out, 2, "--margin"},
  };
  for (const Case& c : cases) {
    const auto run = test::RunCli(c.args);
    EXPECT_EQ(run.status, c.status) << c.args << "\n" << run.err;
    EXPECT_NE(run.err.find(c.err_contains), std::string::npos) << c.args << "\n" << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "out.svg"));
}

}  // namespace
}  // namespace korvanta
