#include <gtest/gtest.h>

#include <string>

#include "route/tables.hpp"
#include "test_support.hpp"
#include "writers/leveld.hpp"

namespace korvanta {
namespace {

using test::Header;
using test::Row;
using test::Table;

TEST(LevelDRoute, AirportsOnly) {
  const WaypointTable waypoints = Table({Row("EAAA", "N50*02'00.00\"", "E008*34'14.00\""),
                                         Row("EBBB", "N50*52'00.00\"", "E005*15'00.00\"")});
  EXPECT_EQ(WriteLevelDRoute(Header("EAAA", "EBBB"), waypoints),
            test::CrLf({";FlightPlan created   by Korvanta ver. 2.9", ";ALPHA to BETA", "",
                        "H,EAAA,EBBB, ,", "", "End of FlightPlan"}));
}

// Airway as stored (a blank one counts as none), unreadable frequency, a
// southern latitude whose hundredths of a second do not count, and every row
// named like the destination left out.
TEST(LevelDRoute, RecordsAndTheirOddities) {
  const WaypointTable waypoints = Table({
      Row("EAAA", "N50*02'00.00\"", "E008*34'14.00\"", "UL602"),
      Row("TOBAK", "N50*05'30.00\"", "E008*17'00.00\"", " ", "I", "0"),
      Row("EBBB", "N50*10'00.00\"", "E008*00'00.00\"", "UL602"),
      Row("RUDOL", "N50*20'00.00\"", "E007*10'00.00\"", "UL602", "V", "114.30"),
      Row("KOMAR", "S05*40'00.05\"", "E006*00'00.00\"", "", "N", "3X5"),
      Row("EBBB", "N50*52'00.00\"", "E005*15'00.00\""),
  });
  EXPECT_EQ(WriteLevelDRoute(Header("EAAA", "EBBB"), waypoints),
            test::CrLf({
                ";FlightPlan created   by Korvanta ver. 2.9",
                ";ALPHA to BETA",
                "",
                "H,EAAA,EBBB, ,",
                "W,TOBAK, ,0,50.091667,8.283333,0.000000,0,0,0,0",
                "W,RUDOL,UL602,30,50.333333,7.166667,114.300000,0,0,0,0",
                "W,KOMAR,,0,-5.666667,6.000000,0.000000,0,0,0,0",
                "",
                "End of FlightPlan",
            }));
}

}  // namespace
}  // namespace korvanta
