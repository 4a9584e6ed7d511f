#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "readers/route_text_parser.hpp"
#include "test_support.hpp"
#include "writers/sample_routes.hpp"
#include "writers/xplane11.hpp"

namespace korvanta {
namespace {

using test::CrLf;
using test::kPair;
using test::kPairRm;
using test::kSouth;
using test::kSouthRm;

TEST(XPlane11Fms, WholePlans) {
  EXPECT_EQ(WriteXPlane11Fms(kSouth, kSouthRm, " 27 r", "2613"),
            CrLf({"I", "1100 Version", "CYCLE 2613", "ADEP SBGR", "DEPRWY RW27R", "ADES SCEL",
                  "NUMENR 8", "1 SBGR ADEP 2461.000000 -23.435556 -46.473056",
                  "3 PCX DRCT 35000.000000 -23.500153 -46.833333",
                  "11 ILKAP UZ10 35000.000000 -24.000000 -47.000003",
                  "1 SBGR UZ10 35000.000000 -23.435556 -46.473056",
                  "2 \xC9TRA DRCT 35000.000000 0.000000 -0.000006",
                  "11 EQ UM400 35000.000000 -0.000050 0.000006",
                  "1 SCEL DRCT 35000.000000 -33.393056 -70.785833",
                  "1 SCEL ADES 1555.000000 -33.393056 -70.785833"}));
  const std::string pair = CrLf({"I", "1100 Version", "CYCLE 2501", "ADEP EAAA", "ADES EBBB",
                                 "NUMENR 2", "1 EAAA ADEP -17.000000 50.033333 8.570556",
                                 "1 EBBB ADES 17.000000 50.866806 5.250000"});
  EXPECT_EQ(WriteXPlane11Fms(kPair, kPairRm, "", "2501"), pair);
  EXPECT_EQ(WriteXPlane11Fms(kPair, kPairRm, "  ", "2501"), pair);
}

// The departure runway as X-Plane's data names it.
TEST(XPlane11Fms, DepartureRunwayHasTwoDigitsAndOneRw) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"RW25L", "DEPRWY RW25L"}, {"rw 25l", "DEPRWY RW25L"}, {"7", "DEPRWY RW07"},
      {"7L", "DEPRWY RW07L"},    {"RW7", "DEPRWY RW07"},     {"09", "DEPRWY RW09"},
      {"36C", "DEPRWY RW36C"},   {"RW", "ADES EBBB"},
  };
  for (const auto& [runway, line] : cases)
    EXPECT_EQ(SplitLines(WriteXPlane11Fms(kPair, kPairRm, runway, "2501"))[4], line) << runway;
}

}  // namespace
}  // namespace korvanta
