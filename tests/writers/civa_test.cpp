#include "writers/civa.hpp"

#include <gtest/gtest.h>

#include "test_support.hpp"

#include <string>
#include <vector>

namespace korvanta {
namespace {

std::string Dms(const std::string& text) {
  return test::WithDegreeSign(text, '@');
}

// EGLL to KJFK with `count` waypoints W1, W2 ... at 51 28.7 N, 0 27.6 W.
struct Route {
  RouteHeader header;
  WaypointTable waypoints;
};

Route WithWaypoints(int count) {
  Route r;
  r.header.departure_icao = "EGLL";
  r.header.destination_icao = "KJFK";
  r.waypoints.Append(test::Positioned({"EGLL", Dms("N51@28'39.00\""), Dms("W000@27'41.00\""), 83,
                                       "", WaypointKind::kAirport, "0", "0"}));
  for (int i = 1; i <= count; ++i) {
    r.waypoints.Append(
        test::Positioned({"W" + std::to_string(i), Dms("N51@28'42.00\""), Dms("W000@27'36.00\""), 0,
                          "", WaypointKind::kIntersection, "0", "0"}));
  }
  r.waypoints.Append(test::Positioned({"KJFK", Dms("N40@38'23.00\""), Dms("W073@46'44.00\""), 13,
                                       "", WaypointKind::kAirport, "0", "0"}));
  return r;
}

std::string Card(const std::string& program, const std::vector<std::string>& waypoints) {
  std::string text =
      ";\r\n"
      "; Carousel IV-AC INS\r\n"
      "; ADEU Waypoints Data Card\r\n"
      "; For use with SSTSIM Concorde\r\n"
      "; www.sstsim.com\r\n"
      ";\r\n"
      "; CONCORDE INS PROGRAM #" +
      program +
      "\r\n"
      ";\r\n";
  for (const auto& line : waypoints)
    text += line + "\r\n";
  return text + ";\r\n;End Of File\r\n;";
}

// Waypoint lines for W<first> ... W<last> at positions 1, 2 ...
std::vector<std::string> Lines(int first, int last) {
  std::vector<std::string> lines;
  for (int i = first; i <= last; ++i) {
    lines.push_back(std::to_string(i - first + 1) + " N 51*28.7 W 000*27.6 ; W" +
                    std::to_string(i));
  }
  return lines;
}

TEST(CivaCards, NineToACardWithTheRolloverRightAfterTheNinth) {
  struct Case {
    int waypoints;
    std::vector<CivaCard> cards;
  };
  const std::vector<Case> cases = {
      {0, {{"EGLL-KJFK01.AWC", Card("EGLL-KJFK01", {})}}},
      {1, {{"EGLL-KJFK01.AWC", Card("EGLL-KJFK01", {"1 N 51*28.7 W 000*27.6 ; W1"})}}},
      {9,
       {{"EGLL-KJFK01.AWC", Card("EGLL-KJFK01", Lines(1, 9))},
        {"EGLL-KJFK02.AWC", Card("EGLL-KJFK02", {})}}},
      {10,
       {{"EGLL-KJFK01.AWC", Card("EGLL-KJFK01", Lines(1, 9))},
        {"EGLL-KJFK02.AWC", Card("EGLL-KJFK02", {"1 N 51*28.7 W 000*27.6 ; W10"})}}},
  };
  for (const Case& c : cases) {
    const Route r = WithWaypoints(c.waypoints);
    const std::vector<CivaCard> cards = WriteCivaCards(r.header, r.waypoints);
    ASSERT_EQ(cards.size(), c.cards.size()) << c.waypoints;
    for (std::size_t i = 0; i < cards.size(); ++i) {
      EXPECT_EQ(cards[i].file_name, c.cards[i].file_name) << c.waypoints;
      EXPECT_EQ(cards[i].text, c.cards[i].text) << c.waypoints << " card " << i + 1;
    }
  }
}

TEST(CivaCards, CardNumbersHaveAtLeastTwoDigits) {
  // 891 waypoints fill 99 cards and open a 100th.
  const Route r = WithWaypoints(891);
  const std::vector<CivaCard> cards = WriteCivaCards(r.header, r.waypoints);
  ASSERT_EQ(cards.size(), 100u);
  EXPECT_EQ(cards[9].file_name, "EGLL-KJFK10.AWC");
  EXPECT_EQ(cards[99].file_name, "EGLL-KJFK100.AWC");
  EXPECT_EQ(cards[99].text, Card("EGLL-KJFK100", {}));
  EXPECT_EQ(cards[98].text, Card("EGLL-KJFK99", Lines(883, 891)));
}

TEST(CivaCards, MinutesCarriedAndTheDestinationCode) {
  Route r = WithWaypoints(0);
  WaypointTable waypoints;
  waypoints.Append(r.waypoints[0]);
  waypoints.Append(test::Positioned({"CARRY", Dms("N51@59'57.00\""), Dms("W000@59'57.00\""), 0, "",
                                     WaypointKind::kIntersection, "0", ""}));
  // A point that carries the destination's code is on no card, and the
  // card goes on after it.
  waypoints.Append(test::Positioned({"KJFK", Dms("N51@28'42.00\""), Dms("W000@27'36.00\""), 0, "",
                                     WaypointKind::kIntersection, "0", ""}));
  waypoints.Append(test::Positioned({"BPK", Dms("N51@44'59.00\""), Dms("W000@06'24.00\""), 0, "",
                                     WaypointKind::kVor, "117.50", ""}));
  waypoints.Append(r.waypoints[1]);
  const std::vector<CivaCard> cards = WriteCivaCards(r.header, waypoints);
  ASSERT_EQ(cards.size(), 1u);
  EXPECT_EQ(cards[0].text, Card("EGLL-KJFK01", {"1 N 52*00.0 W 001*00.0 ; CARRY",
                                                "2 N 51*45.0 W 000*06.4 ; BPK"}));
}

TEST(CivaCards, ASingleDetailsLineStillGivesAClosedCard) {
  // Departure and destination are the same record: card 01, empty and closed.
  Route r;
  r.header.departure_icao = r.header.destination_icao = "EGLL";
  r.waypoints.Append(test::Positioned({"EGLL", Dms("N51@28'39.00\""), Dms("W000@27'41.00\""), 0, "",
                                       WaypointKind::kAirport, "0", ""}));
  const std::vector<CivaCard> cards = WriteCivaCards(r.header, r.waypoints);
  ASSERT_EQ(cards.size(), 1u);
  EXPECT_EQ(cards[0].file_name, "EGLL-EGLL01.AWC");
  EXPECT_EQ(cards[0].text, Card("EGLL-EGLL01", {}));
}

}  // namespace
}  // namespace korvanta
