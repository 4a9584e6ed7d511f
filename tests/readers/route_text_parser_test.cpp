#include "readers/route_text_parser.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "test_support.hpp"

namespace korvanta {
namespace {

// The route of the worked example.
std::vector<std::string> ExampleLines() {
  return {
      "Computed route from ALPHA/INTL (EAAA) to BETA FIELD (EBBB)",
      "Cruise altitude between FL330 and FL350",
      "EAAA (0) -SID- > TOBAK (12) -UL602- > RUDOL (55) -DCT- >",
      "KOMAR (98) -STAR- > EBBB (130)",
      "Details:",
      "ID FREQ TRK DIST Coords Name",
      "EAAA 0 0 N50\xC2\xB0"
      "02'00.00\" E008\xC2\xB0"
      "34'14.00\" ALPHA",
      "TOBAK 274 12 N50\xC2\xB0"
      "05'30.00\" E008\xC2\xB0"
      "17'00.00\" TOBAK",
      "RUDOL 114.30 280 43 N50\xC2\xB0"
      "20'00.00\" E007\xC2\xB0"
      "10'00.00\" RUDOL",
      "KOMAR 385 285 43 N50\xC2\xB0"
      "40'00.00\" E006\xC2\xB0"
      "00'00.00\" KOMAR",
      "EBBB 290 32 N50\xC2\xB0"
      "52'00.00\" E005\xC2\xB0"
      "15'00.00\" BETA",
      "",
  };
}

AirportDatabase ExampleAirports() {
  AirportDatabase db;
  LoadAirportLines(test::ReadFile(test::DataDir() / "wpNavApt.txt"), db);
  return db;
}

struct Parsed {
  ParseResult result;
  WaypointTable waypoints;
  RouteHeader header;
};

Parsed Parse(std::vector<std::string>& lines, ParseMode mode = ParseMode::kText,
             bool super80 = false, const AirportDatabase& db = ExampleAirports()) {
  Parsed p;
  p.result = ParseRoute(lines, {mode, super80}, db, p.waypoints, p.header);
  return p;
}

std::vector<std::string> Column(const WaypointTable& waypoints, std::string Waypoint::*field) {
  std::vector<std::string> out;
  for (const auto& r : waypoints)
    out.push_back(r.*field);
  return out;
}

// The kinds as the grid shows them.
std::vector<std::string> Kinds(const WaypointTable& waypoints) {
  std::vector<std::string> out;
  for (const auto& r : waypoints)
    out.emplace_back(1, KindLetter(r.kind));
  return out;
}

TEST(RouteTextLines, SqueezeBlanks) {
  EXPECT_EQ(SqueezeBlanks("A  B   C"), "A B C");
  EXPECT_EQ(SqueezeBlanks("  X  "), " X ");
  EXPECT_EQ(SqueezeBlanks("A\t\tB"), "A\t\tB");
}

using V = std::vector<std::string>;

TEST(ParserExample, TextModeGivesTheTableAndHeader) {
  auto lines = ExampleLines();
  const Parsed p = Parse(lines);
  ASSERT_EQ(p.result, ParseResult::kParsed);
  EXPECT_EQ(Column(p.waypoints, &Waypoint::id), (V{"EAAA", "TOBAK", "RUDOL", "KOMAR", "EBBB"}));
  EXPECT_EQ(Column(p.waypoints, &Waypoint::lat), (V{"N50\xC2\xB0"
                                                    "02'00.00\"",
                                                    "N50\xC2\xB0"
                                                    "05'30.00\"",
                                                    "N50\xC2\xB0"
                                                    "20'00.00\"",
                                                    "N50\xC2\xB0"
                                                    "40'00.00\"",
                                                    "N50\xC2\xB0"
                                                    "52'00.00\""}));
  EXPECT_EQ(Column(p.waypoints, &Waypoint::lon), (V{"E008\xC2\xB0"
                                                    "34'14.00\"",
                                                    "E008\xC2\xB0"
                                                    "17'00.00\"",
                                                    "E007\xC2\xB0"
                                                    "10'00.00\"",
                                                    "E006\xC2\xB0"
                                                    "00'00.00\"",
                                                    "E005\xC2\xB0"
                                                    "15'00.00\""}));
  EXPECT_EQ(Column(p.waypoints, &Waypoint::route), (V{"", "UL602", "", "", ""}));
  EXPECT_EQ(Kinds(p.waypoints), (V{"A", "I", "V", "N", "A"}));
  EXPECT_EQ(Column(p.waypoints, &Waypoint::freq), (V{"0", "0", "114.30", "385", "0"}));
  EXPECT_EQ(Column(p.waypoints, &Waypoint::track), (V{"0", "274", "280", "285", "290"}));
  std::vector<int> alts;
  for (const auto& r : p.waypoints)
    alts.push_back(r.alt);
  EXPECT_EQ(alts, (std::vector<int>{364, 0, 0, 0, 50}));

  const RouteHeader& h = p.header;
  EXPECT_EQ(h.departure_icao, "EAAA");
  EXPECT_EQ(h.destination_icao, "EBBB");
  EXPECT_EQ(h.departure_name, "ALPHA_INTL");
  EXPECT_EQ(h.destination_name, "BETA FIELD");
  // Hundredths of an arc-second: N50°02'00.00" E008°34'14.00", N50°52'00.00" E005°15'00.00".
  EXPECT_EQ(h.departure_position, (Position{18012000, 3085400}));
  EXPECT_EQ(h.destination_position, (Position{18312000, 1890000}));
  EXPECT_EQ(h.departure_elevation, 364);
  EXPECT_EQ(h.destination_elevation, 50);
  EXPECT_EQ(h.cruise_altitude, 33000);
}

TEST(ParserExample, DecimalModeReadsTheSamePositions) {
  auto lines = ExampleLines();
  const Parsed p = Parse(lines, ParseMode::kDecimal);
  const Parsed text = Parse(lines, ParseMode::kText);
  ASSERT_EQ(p.result, ParseResult::kParsed);
  for (std::size_t i = 0; i < p.waypoints.Count(); ++i) {
    EXPECT_EQ(p.waypoints[i].position, text.waypoints[i].position) << i;
    EXPECT_EQ(p.waypoints[i].lat, text.waypoints[i].lat) << i;
  }
  EXPECT_EQ(Column(p.waypoints, &Waypoint::track), (V{"", "", "", "", ""}));
  EXPECT_EQ(Kinds(p.waypoints), (V{"A", "I", "V", "N", "A"}));
  EXPECT_EQ(Column(p.waypoints, &Waypoint::freq), (V{"0", "0", "114.30", "385", "0"}));
  EXPECT_EQ(Column(p.waypoints, &Waypoint::route), (V{"", "UL602", "", "", ""}));
  EXPECT_EQ(p.header.departure_position, text.header.departure_position);
}

TEST(ParserExample, Super80TakesTheIcaoCodesAsNames) {
  auto lines = ExampleLines();
  Parsed p = Parse(lines, ParseMode::kText, true);
  EXPECT_EQ(p.header.departure_name, "EAAA");
  EXPECT_EQ(p.header.destination_name, "EBBB");

  auto comma = ExampleLines();
  comma[0] = "Computed route from ALPHA (EAA,) to BETA (EBB, x)";
  p = Parse(comma, ParseMode::kText, true);
  EXPECT_EQ(p.header.departure_name, "EAA");
  EXPECT_EQ(p.header.destination_name, "EBB");
}

TEST(ParserExample, ASecondParseAndDoubledBlanksGiveTheSameRoute) {
  // Every line is read with its runs of blanks as one blank, the markers
  // ("Cruise altitude", "Details:", "ID FREQ TRK") included; the caller's
  // lines stay as they are.
  auto doubled = ExampleLines();
  for (std::string& line : doubled) {
    for (std::size_t at = 0; (at = line.find(' ', at)) != std::string::npos; at += 2)
      line.insert(at, 1, ' ');
  }
  for (const ParseMode mode : {ParseMode::kText, ParseMode::kDecimal}) {
    auto lines = ExampleLines();
    const Parsed first = Parse(lines, mode);
    ASSERT_EQ(first.result, ParseResult::kParsed);
    for (auto* again : {&lines, &doubled}) {
      const auto before = *again;
      const Parsed second = Parse(*again, mode);
      EXPECT_EQ(*again, before);
      ASSERT_EQ(first.waypoints.Count(), second.waypoints.Count());
      for (std::string Waypoint::*field :
           {&Waypoint::id, &Waypoint::lat, &Waypoint::lon, &Waypoint::route, &Waypoint::freq})
        EXPECT_EQ(Column(first.waypoints, field), Column(second.waypoints, field));
      EXPECT_EQ(Kinds(first.waypoints), Kinds(second.waypoints));
      EXPECT_EQ(first.header.departure_name, second.header.departure_name);
      EXPECT_EQ(first.header.destination_name, second.header.destination_name);
      EXPECT_EQ(first.header.cruise_altitude, second.header.cruise_altitude);
    }
  }
}

TEST(ParserFailures, WrongFormatAndQuietFailure) {
  struct Case {
    const char* what;
    std::vector<std::string> lines;
    ParseResult expected;
  };
  const V details = {"Details:", "ID FREQ TRK DIST Coords Name",
                     "EAAA 0 0 N50\xC2\xB0"
                     "02'00.00\" E008\xC2\xB0"
                     "34'14.00\" ALPHA",
                     "EBBB 290 32 N50\xC2\xB0"
                     "52'00.00\" E005\xC2\xB0"
                     "15'00.00\" BETA"};
  auto with = [&](V head) {
    head.insert(head.end(), details.begin(), details.end());
    return head;
  };
  const Case cases[] = {
      {"empty text", {}, ParseResult::kWrongFormat},
      {"no cruise line", with({"EAAA > EBBB"}), ParseResult::kWrongFormat},
      {"cruise line last",
       {"Computed route from A (EAAA) to B (EBBB)", "Cruise altitude between FL330 and FL350"},
       ParseResult::kWrongFormat},
      {"cruise line indented", with({"   Cruise altitude between FL330", "EAAA (0) -SID- >"}),
       ParseResult::kWrongFormat},
      {"no details heading",
       {"Cruise altitude between FL330", "A (0) -DCT- > B", "", "x"},
       ParseResult::kNoDetails},
      {"heading with one line after it",
       {"Cruise altitude between FL330", "A (0) -DCT- > B", "ID FREQ TRK", "x"},
       ParseResult::kNoDetails},
      {"blank line straight after the heading",
       {"Cruise altitude between FL330", "A > B", "ID FREQ TRK", "", "x"},
       ParseResult::kNoDetails},
      {"well formed", with({"Cruise altitude between FL330", "EAAA (0) -SID- > EBBB (9)"}),
       ParseResult::kParsed},
  };
  for (const auto& c : cases) {
    auto lines = c.lines;
    const Parsed p = Parse(lines);
    EXPECT_EQ(p.result, c.expected) << c.what;
    if (c.expected != ParseResult::kParsed) {
      EXPECT_TRUE(p.waypoints.IsEmpty()) << c.what;
    }
  }
}

TEST(ParserHeading, NamesAndCruiseAltitude) {
  struct Case {
    std::string heading, cruise, dep, dest;
    int alt;
  };
  const Case cases[] = {
      {"Computed route from A/B/C (EAAA) to D/E (EBBB)", "Cruise altitude between FL330", "A_B/C",
       "D_E", 33000},
      {"Route: Computed route from  X  (EAAA)  to  Y  (EBBB)", "Cruise altitude between FL090", "X",
       "Y", 9000},
      {"Computed route from X (EAAA) to Y (EBBB)", "Cruise altitude between FLXYZ", "X", "Y",
       30000},
      {"Computed route from X (EAAA) to Y (EBBB)", "Cruise altitude 35000", "X", "Y", 30000},
  };
  for (const auto& c : cases) {
    auto lines = ExampleLines();
    lines[0] = c.heading;
    lines[1] = c.cruise;
    const Parsed p = Parse(lines);
    EXPECT_EQ(p.header.departure_name, c.dep) << c.heading;
    EXPECT_EQ(p.header.destination_name, c.dest) << c.heading;
    EXPECT_EQ(p.header.cruise_altitude, c.alt) << c.cruise;
  }
}

TEST(ParserChain, AirwaysStayOnTheirWaypointWhereverTheLineBreaks) {
  // The break before ">" (line 1 ends without it) must not shift UL602 and UM1.
  auto lines = ExampleLines();
  lines[2] = "EAAA (0) -SID- > TOBAK (12) -UL602-";
  lines[3] = "> RUDOL (55) -UM1- > KOMAR (98) -STAR- > EBBB (130)";
  Parsed p = Parse(lines);
  ASSERT_EQ(p.result, ParseResult::kParsed);
  EXPECT_EQ(Column(p.waypoints, &Waypoint::route), (V{"", "UL602", "UM1", "", ""}));

  // More details lines than route items: the extra rows get no airway.
  auto extra = ExampleLines();
  extra[2] = "EAAA (0) -SID- > TOBAK (12) -UL602- > EBBB (130)";
  extra.erase(extra.begin() + 3);
  p = Parse(extra);
  ASSERT_EQ(p.result, ParseResult::kParsed);
  EXPECT_EQ(Column(p.waypoints, &Waypoint::route), (V{"", "UL602", "", "", ""}));
}

TEST(ParserChain, SeparatorRunsLineBreaksAndTrailingSeparators) {
  // Each chain gives the airways "", UL602, UM1, UN5, "" to the five rows,
  // also on a second parse of the same lines.
  const std::vector<std::vector<std::string>> chains = {
      {">> EAAA (0) -SID- >> TOBAK (12) -UL602- >>> RUDOL (55) -UM1- >",
       "KOMAR (98) -UN5- > EBBB (130)"},
      {"EAAA (0) -SID- > TOBAK (12) -UL602-", "> RUDOL (55) -UM1-",
       "> KOMAR (98) -UN5- > EBBB (130)"},
      {"EAAA (0) -SID- > TOBAK (12) -UL602- > RUDOL (55) -UM1- > KOMAR (98) -UN5- > EBBB (130) >"},
      {"EAAA (0) -SID- > TOBAK (12) -UL602- > RUDOL (55) -UM1- > KOMAR (98) -UN5- >",
       ">> EBBB (130)"},
  };
  for (const auto& chain : chains) {
    auto lines = ExampleLines();
    lines.erase(lines.begin() + 2, lines.begin() + 4);
    lines.insert(lines.begin() + 2, chain.begin(), chain.end());
    for (int parse = 1; parse <= 2; ++parse) {
      const Parsed p = Parse(lines);
      ASSERT_EQ(p.result, ParseResult::kParsed) << chain.front();
      EXPECT_EQ(Column(p.waypoints, &Waypoint::route), (V{"", "UL602", "UM1", "UN5", ""}))
          << chain.front() << " parse " << parse;
    }
  }
}

TEST(ParserDetails, SectionEndsAndMarkers) {
  // "Tracks " ends the list without a blank line, and the end of text ends it.
  auto lines = ExampleLines();
  lines[11] = "Tracks valid today";
  lines.push_back(
      "EXTRA 0 0 N50\xC2\xB0"
      "52'00.00\" E005\xC2\xB0"
      "15'00.00\" X");
  Parsed p = Parse(lines);
  ASSERT_EQ(p.waypoints.Count(), 5u);
  EXPECT_EQ(p.header.destination_icao, "EBBB");

  auto unended = ExampleLines();
  unended.pop_back();
  p = Parse(unended);
  EXPECT_EQ(p.waypoints.Count(), 5u);

  // A single details line is both departure and destination.
  auto single = ExampleLines();
  single.erase(single.begin() + 7, single.begin() + 11);
  p = Parse(single);
  ASSERT_EQ(p.waypoints.Count(), 1u);
  EXPECT_EQ(p.header.departure_icao, "EAAA");
  EXPECT_EQ(p.header.destination_icao, "EAAA");
  EXPECT_EQ(p.waypoints[0].alt, 364);
}

TEST(ParserDetails, KindsAndOddLines) {
  struct Case {
    ParseMode mode;
    std::string line;
    std::string id, lat, lon, kind, freq;
  };
  const Case cases[] = {
      {ParseMode::kText,
       "V1 108.00 10 5 N50\xC2\xB0"
       "00'00.00\" E008\xC2\xB0"
       "00'00.00\" V1",
       "V1",
       "N50\xC2\xB0"
       "00'00.00\"",
       "E008\xC2\xB0"
       "00'00.00\"",
       "V", "108.00"},
      {ParseMode::kText,
       "V2 118.00 10 5 N50\xC2\xB0"
       "00'00.00\" E008\xC2\xB0"
       "00'00.00\"",
       "V2",
       "N50\xC2\xB0"
       "00'00.00\"",
       "E008\xC2\xB0"
       "00'00.00\"",
       "V", "118.00"},
      {ParseMode::kText,
       "N1 107.95 10 5 N50\xC2\xB0"
       "00'00.00\" E008\xC2\xB0"
       "00'00.00\"",
       "N1",
       "N50\xC2\xB0"
       "00'00.00\"",
       "E008\xC2\xB0"
       "00'00.00\"",
       "N", "107.95"},
      {ParseMode::kText,
       "N2 118.05 10 5 N50\xC2\xB0"
       "00'00.00\" E008\xC2\xB0"
       "00'00.00\"",
       "N2",
       "N50\xC2\xB0"
       "00'00.00\"",
       "E008\xC2\xB0"
       "00'00.00\"",
       "N", "118.05"},
      {ParseMode::kText,
       "N3 ABC 10 5 N50\xC2\xB0"
       "00'00.00\" E008\xC2\xB0"
       "00'00.00\"",
       "N3",
       "N50\xC2\xB0"
       "00'00.00\"",
       "E008\xC2\xB0"
       "00'00.00\"",
       "N", "ABC"},
      // Five words: a fix, with the coordinates from the last two words.
      {ParseMode::kText,
       "FIX 10 N50\xC2\xB0"
       "00'00.00\" E008\xC2\xB0"
       "00'00.00\" X",
       "FIX",
       "N50\xC2\xB0"
       "00'00.00\"",
       "E008\xC2\xB0"
       "00'00.00\"",
       "I", "0"},
      // No double quote at all: the line is used whole.
      {ParseMode::kText, "NOQ 10 5 N50 E008", "NOQ", "N50", "E008", "I", "0"},
      // An identifier is kept as the text gives it ("55N020W").
      {ParseMode::kText,
       "55N020W 10 5 N50\xC2\xB0"
       "00'00.00\" E008\xC2\xB0"
       "00'00.00\"",
       "55N020W",
       "N50\xC2\xB0"
       "00'00.00\"",
       "E008\xC2\xB0"
       "00'00.00\"",
       "I", "0"},
      // Decimal mode: two name words after the longitude make eight words, a fix.
      {ParseMode::kDecimal,
       "X 114.30 10 5 N50\xC2\xB0"
       "00'00.00\" E008\xC2\xB0"
       "00'00.00\" NEW YORK",
       "X",
       "N50\xC2\xB0"
       "00'00.00\"",
       "E008\xC2\xB0"
       "00'00.00\"",
       "I", "0"},
      {ParseMode::kDecimal,
       "NDB 385 10 5 S33\xC2\xB0"
       "56'48.00\" W000\xC2\xB0"
       "27'36.00\" NDB",
       "NDB",
       "S33\xC2\xB0"
       "56'48.00\"",
       "W000\xC2\xB0"
       "27'36.00\"",
       "N", "385"},
      // Decimal mode keeps the texts as they stand for the route check too.
      {ParseMode::kDecimal, "BAD 10 5 N50 E008", "BAD", "N50", "E008", "I", "0"},
  };
  for (const auto& c : cases) {
    auto lines = ExampleLines();
    lines[8] = c.line;  // the middle point of the route
    const Parsed p = Parse(lines, c.mode);
    ASSERT_EQ(p.result, ParseResult::kParsed) << c.line;
    const Waypoint& r = p.waypoints[2];
    EXPECT_EQ(r.id, c.id) << c.line;
    EXPECT_EQ(r.lat, c.lat) << c.line;
    EXPECT_EQ(r.lon, c.lon) << c.line;
    EXPECT_EQ(std::string(1, KindLetter(r.kind)), c.kind) << c.line;
    EXPECT_EQ(r.freq, c.freq) << c.line;
  }
}

TEST(ParserInput, SplitLinesAcceptsEveryLineEnd) {
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (V{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (V{"a", ""}));
  EXPECT_EQ(SplitLines(""), V{});
}

// A cut-off text names a destination that its details list never reaches.
TEST(ParserCutOff, TheDetailsListMustEndWhereTheRouteGoes) {
  struct Case {
    std::size_t kept_rows;  // details rows kept of the example's five
    std::string heading;
    std::optional<std::string> fault;
  };
  const std::string kHeading = "Computed route from ALPHA/INTL (EAAA) to BETA FIELD (EBBB)";
  const std::vector<Case> cases = {
      {5, kHeading, std::nullopt},
      {4, kHeading,
       "The details list ends at KOMAR, but the route goes to EBBB: the text is cut off"},
      // Without the heading's destination, the route chain's last item names it.
      {4, "", "The details list ends at KOMAR, but the route goes to EBBB: the text is cut off"},
      {4, "Computed route from ALPHA to BETA",
       "The details list ends at KOMAR, but the route goes to EBBB: the text is cut off"},
      {5, "", std::nullopt},
      {3, "Computed route from ALPHA (EAAA) to RUDOL (RUDOL)", std::nullopt},
  };
  for (const Case& c : cases) {
    auto lines = ExampleLines();
    lines.resize(lines.size() - 1 - (5 - c.kept_rows));
    lines[0] = c.heading;
    const Parsed p = Parse(lines);
    ASSERT_EQ(p.result, ParseResult::kParsed) << c.heading;
    EXPECT_EQ(CutOffFault(lines, p.waypoints), c.fault) << c.kept_rows << " " << c.heading;
  }
}

// Whatever line a bundled route text is cut after, it reads as the whole
// route or is refused; it never reads as a route to somewhere else.
TEST(ParserCutOff, EveryCutOfABundledRouteIsCompleteOrRefused) {
  for (const char* name : {"example_route.txt", "route_south_west.txt", "nav_route.txt"}) {
    const auto lines = SplitLines(test::ReadFile(test::DataDir() / name));
    auto whole = lines;
    const Parsed complete = Parse(whole);
    ASSERT_EQ(complete.result, ParseResult::kParsed) << name;
    ASSERT_EQ(CutOffFault(lines, complete.waypoints), std::nullopt) << name;
    for (std::size_t kept = 0; kept < lines.size(); ++kept) {
      std::vector<std::string> cut(lines.begin(), lines.begin() + static_cast<long>(kept));
      const Parsed p = Parse(cut);
      if (p.result != ParseResult::kParsed || CutOffFault(cut, p.waypoints))
        continue;
      EXPECT_EQ(p.header.destination_icao, complete.header.destination_icao) << name << kept;
      EXPECT_EQ(p.waypoints.Count(), complete.waypoints.Count()) << name << kept;
    }
  }
}

}  // namespace
}  // namespace korvanta
