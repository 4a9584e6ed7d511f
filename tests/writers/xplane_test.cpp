#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "route/tables.hpp"
#include "test_support.hpp"
#include "writers/xplane.hpp"

namespace korvanta {
namespace {

using test::Row;
using test::Table;

// "*" stands for the degree sign of the route text.
std::string Dms(const std::string& text) {
  return test::WithDegreeSign(text, '*');
}

// Every row gives one line at its own position: airport names in the middle
// are written as airports, any other type as a fix, an unreadable coordinate
// with six decimals that leave out the hundredths of a second.
TEST(XPlaneFms, TypeCodesAndAirportNamesInTheMiddle) {
  const WaypointTable waypoints = Table({
      Row("EAAA", Dms("N50*02'00.00\""), Dms("E008*34'14.00\""), "", "A"),
      Row("FFM", Dms("N50*03'13.00\""), Dms("E008*38'14.00\""), "", "V"),
      Row("KOMAR", Dms("N50*40'00.00\""), Dms("E006*00'00.00\""), "", "N"),
      Row("EBBB", Dms("N50*45'00.00\""), Dms("E005*30'00.00\""), "", "I"),
      Row("TOBAK", Dms("N50*05'30.00\""), Dms("E008*17'00.00\""), "", "I"),
      Row("EAAA", Dms("N50*10'00.00\""), Dms("E008*00'00.00\""), "", "N"),
      Row("ODD", Dms("S05*10'00.05\""), Dms("E008*00'00.00\""), "", "Q"),
      Row("EBBB", Dms("N50*52'00.00\""), Dms("E005*15'00.00\""), "", "A"),
  });
  EXPECT_EQ(WriteXPlaneFms(test::Header("EAAA", "EBBB", "", "", 0, 0, 0), waypoints),
            test::CrLf({
                "I",
                "3 version",
                "0",
                "0",
                "1 EAAA 0 50.033333 8.570556",
                "3 FFM 0 50.053611 8.637222",
                "2 KOMAR 0 50.666667 6.000000",
                "1 EBBB 0 50.750000 5.500000",
                "11 TOBAK 0 50.091667 8.283333",
                "1 EAAA 0 50.166667 8.000000",
                "11 ODD 0 -5.166667 8.000000",
                "1 EBBB 0 50.866667 5.250000",
                "",
            }));
}

}  // namespace
}  // namespace korvanta
