// Identifiers that every target can hold: the characters a plan's names
// keep, the names that read as positions, and the names made from one.

#include <gtest/gtest.h>

#include "route/identifiers.hpp"

namespace korvanta {
namespace {

constexpr std::int32_t kDegree = kHundredthsPerDegree;
constexpr std::int32_t kMinute = kHundredthsPerMinute;

TEST(Identifiers, OnlyUpperCaseLettersAndDigitsStay) {
  const std::pair<const char*, const char*> cases[] = {
      {"Hwy 11", "HWY11"},
      {"Horka,NOL(GM)", "HORKANOLGM"},
      {"LacDAnnecy", "LACDANNECY"},
      {"\xC3\x89tr\xC3\xA9papl\xC3\xB8yen", "ETREPAPLOYEN"},  // Étrépapløyen
      {"Stra\xC3\x9F"
       "e \xC5\x81\xC3\xB3"
       "d\xC5\xBA",
       "STRASSELODZ"},  // ß, Ł, ó, ź
      {"\xC3\x86r\xC3\xB8 \xC5\x92il", "AEROOEIL"},
      {"E\xCC\x81"
       "cole",
       "ECOLE"},                                                  // a combining accent goes
      {"\xE6\x9D\xB1\xE4\xBA\xAC \xC3\x97\xF0\x9F\x9B\xA9", ""},  // no Latin letter
      {"A\xFF"
       "B\tC\x7F",
       "ABC"},
      {"+46.500_-122.600", "46500122600"},
  };
  for (const auto& [text, identifier] : cases)
    EXPECT_EQ(IdentifierCharacters(text), identifier) << text;
  EXPECT_EQ(NumberedIdentifier(3), "WP03");
  EXPECT_EQ(NumberedIdentifier(120), "WP120");
}

struct NameCase {
  const char* name;
  bool names_it;  // whether it reads as a position within 1' of 46°30'N 122°36'W
};

TEST(Identifiers, NamesThatReadAsThePointsPosition) {
  const Position point{46 * kDegree + 30 * kMinute, -(122 * kDegree + 36 * kMinute)};
  const NameCase cases[] = {
      {"+46.500_-122.600", true},
      {"46.5,-122.6", true},
      {"46.5 -122.6", true},
      {"4630N12236W", true},
      {"4630n12236w", true},
      {"N4630.0W12236.0", true},
      {"N46 30.0 W122 36.0", true},
      {"N46\xC2\xB0"
       "30'W122\xC2\xB0"
       "36'",
       true},
      {"463000N1223600W", true},
      {"4631N12237W", true},   // one minute off
      {"4632N12236W", false},  // two
      {"46.5,122.6", false},   // the other hemisphere
      {"N46W122", false},      // whole degrees: 30' off
      {"4630S12236W", false},
      {"W4630N12236", false},
      {"4630N12236WX", false},
      {"46300N12236W", false},
      {"4660N12236W", false},  // 60 minutes
      {"HWY11", false},
      {"NEW", false},
      {"", false},
  };
  for (const NameCase& c : cases)
    EXPECT_EQ(NamesPosition(c.name, point), c.names_it) << c.name;
  const std::pair<const char*, Position> whole_degrees[] = {
      {"N46W122", {46 * kDegree, -122 * kDegree}},
      {"46N122W", {46 * kDegree, -122 * kDegree}},
      {"S07E008", {-7 * kDegree, 8 * kDegree}},
      {"-0.5/179.99", {-kDegree / 2, 180 * kDegree - 36 * 100}},
  };
  for (const auto& [name, position] : whole_degrees)
    EXPECT_EQ(PositionInName(name), position) << name;
  // 180°E and 180°W are one meridian.
  EXPECT_TRUE(NamesPosition("10N180E", {10 * kDegree, -180 * kDegree}));
  // The route finder's own name of whole degrees is kept as it is.
  for (const char* name : {"54N020W", "07S170E"})
    EXPECT_TRUE(IsWholeDegreePositionName(name)) << name;
  for (const char* name : {"5400N02000W", "N54W020", "54N20W", "54N020X", "54n020w"})
    EXPECT_FALSE(IsWholeDegreePositionName(name)) << name;
}

struct PositionName {
  Position position;
  const char* compact;
  const char* five_characters;
};

TEST(Identifiers, NamesMadeFromAPosition) {
  const PositionName cases[] = {
      {{46 * kDegree + 30 * kMinute, -(122 * kDegree + 36 * kMinute)}, "4630N12236W", "47N23"},
      {{50 * kDegree, -20 * kDegree}, "5000N02000W", "5020N"},
      {{50 * kDegree, 20 * kDegree}, "5000N02000E", "5020E"},
      {{-50 * kDegree, 120 * kDegree}, "5000S12000E", "50S20"},
      {{-7 * kDegree, -8 * kDegree}, "0700S00800W", "0708W"},
      {{75 * kDegree, -170 * kDegree}, "7500N17000W", "75N70"},
      // Minutes that round to 60 carry into the degree; degrees round too.
      {{49 * kDegree + 59 * kMinute + 3000, -(99 * kDegree + 59 * kMinute + 3100)},
       "5000N10000W",
       "50N00"},
      {{49 * kDegree + 29 * kMinute, 9 * kDegree + 31 * kMinute}, "4929N00931E", "4910E"},
      // A value that rounds to zero has no side: north and east.
      {{-2999, -(kDegree / 2 - 1)}, "0000N00030W", "0000E"},
      {{-90 * kDegree, 180 * kDegree}, "9000S18000E", "90S80"},
  };
  for (const PositionName& c : cases) {
    EXPECT_EQ(LatitudeLongitudeName(c.position), c.compact);
    EXPECT_EQ(FiveCharacterPositionName(c.position), c.five_characters) << c.compact;
    EXPECT_TRUE(NamesPosition(c.compact, c.position)) << c.compact;
  }
}

}  // namespace
}  // namespace korvanta
