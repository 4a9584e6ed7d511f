#include "route/airports.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "route/position.hpp"
#include "test_support.hpp"

namespace korvanta {
namespace {

// A database line with `icao` at characters 25-28 and `elevation` (five
// characters as they stand) at 70-74.
std::string DbLine(const std::string& icao, const std::string& elevation) {
  std::string line = std::string(24, 'x') + icao;
  line.resize(69, ' ');
  return line + elevation;
}

TEST(AirportDatabase, ElevationCharacters) {
  struct Case {
    std::string field;
    int alt;
  };
  const Case cases[] = {{"  364", 364}, {"-0012", -12}, {"364  ", 0}, {"     ", 0},
                        {"+0050", 50},  {"12a45", 0},   {"", 0},      {"  7", 7}};
  for (const auto& c : cases) {
    AirportDatabase db;
    LoadAirportLines(DbLine("EAAA", c.field) + "\r\n", db);
    ASSERT_EQ(db.runways.Count(), 1u);
    EXPECT_EQ(db.runways.Rows()[0].alt, c.alt) << "[" << c.field << "]";
  }
}

TEST(AirportDatabase, EveryLineIsARecordAndLookupsAreExact) {
  AirportDatabase db;
  const std::string bytes = "short line\r\n" + DbLine("EGLL", "   83") + "\n" +
                            DbLine("ABC ", "  120") + "\r\n" + DbLine("eddf", "  364") + "\n" +
                            DbLine("EDDF", "  111");
  std::vector<std::size_t> progress;
  LoadAirportLines(bytes, db, [&](std::size_t n) { progress.push_back(n); });
  ASSERT_TRUE(db.airports_loaded);
  EXPECT_EQ(db.runways.Count(), 5u);
  EXPECT_EQ(progress, std::vector<std::size_t>{0});

  struct Case {
    std::string id;
    int elevation;
  };
  const Case cases[] = {
      {"EGLL", 83},  {"ABC", 120},  // a three-letter id is padded with one blank
      {"EDDF", 111}, {"eddf", 364}, {"Eddf", 0}, {"", 0}, {"EGLLX", 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(db.Elevation(c.id), c.elevation) << c.id;

  // Sorted without regard to case; the short line's empty key comes first.
  EXPECT_EQ(db.runways.Rows()[0].icao, "");
  EXPECT_EQ(db.runways.Rows()[1].icao, "ABC ");
}

// A list line as the navigation data writes it: name (1-24), code (25-28),
// runway, length and heading, threshold latitude (40-49) and longitude
// (50-60), filler, elevation (70-74).
std::string RunwayLine(const std::string& name, const std::string& icao,
                       const std::string& latitude, const std::string& longitude) {
  std::string line = name;
  line.resize(24, ' ');
  line += icao + "27R12799270" + latitude;
  line.resize(49, ' ');
  line += longitude;
  line.resize(60, ' ');
  line += "110.30270";
  line.resize(69, ' ');
  return line + "   83";
}

std::string Shown(const std::optional<Position>& position) {
  if (!position)
    return "none";
  return DmsLatitudeText(position->latitude) + " " + DmsLongitudeText(position->longitude);
}

TEST(AirportDatabase, NamesAndPlacesAirports) {
  AirportDatabase db;
  EXPECT_EQ(db.Name("EGLL"), "");  // not loaded
  EXPECT_EQ(db.Location("EGLL"), std::nullopt);
  const std::string lines[] = {
      RunwayLine("LONDON HEATHROW", "EGLL", "N51.477500", "W000.484976"),
      RunwayLine("LONDON HEATHROW", "EGLL", "N51.464947", "W000.434067"),
      RunwayLine("OTHER NAME", "EGLL", "N51.500000", "W000.4x0000"),  // not placed
      RunwayLine("ONE RUNWAY", "EBBB", "N50.901389", "E004.484444"),
      RunwayLine("lower case", "eddf", "N50.000000", "E008.000000"),
      RunwayLine("MONTR\xC9"
                 "AL  A\x92"
                 "B",
                 "CYUL", "N45.470556", "W073.740833"),
      RunwayLine("EAST OF THE LINE", "NFTE", "S16.000000", "E179.900000"),
      RunwayLine("EAST OF THE LINE", "NFTE", "S16.100000", "W179.500000"),
      RunwayLine("WEST OF THE LINE", "NFTW", "S16.000000", "E179.500000"),
      RunwayLine("WEST OF THE LINE", "NFTW", "S16.000000", "W179.900000"),
      RunwayLine("ON THE LINE", "NFTL", "N00.000000", "W179.999000"),
      RunwayLine("ON THE LINE", "NFTL", "N00.000000", "E179.999000"),
      RunwayLine("NOT PLACED", "XXXA", "N91.000000", "E000.000000"),
      RunwayLine("NOT PLACED", "XXXB", "X10.000000", "E000.000000"),
      RunwayLine("NOT PLACED", "XXXC", "N10.000000", "E180.000100"),
      RunwayLine("NOT PLACED", "XXXD", "N10 000000", "E001.0"),
      RunwayLine("NOT PLACED", "XXXE", "N10.", "E001.0"),
      RunwayLine("THREE", "ABC ", " S1.5", "W1"),
      DbLine("EDDX", "   83"),
  };
  std::string bytes;
  for (const std::string& line : lines)
    bytes += line + "\r\n";
  LoadAirportLines(bytes, db);
  ASSERT_EQ(db.runways.Count(), std::size(lines));

  struct Case {
    std::string id;
    std::string name;
    std::string location;
  };
  const Case cases[] = {
      {"EGLL", "LONDON HEATHROW", "N51°28'16.41\" W000°27'34.28\""},
      {"EBBB", "ONE RUNWAY", "N50°54'05.00\" E004°29'04.00\""},
      {"eddf", "lower case", "N50°00'00.00\" E008°00'00.00\""},
      {"EDDF", "", "none"},
      {"CYUL", "MONTRÉAL  A’B", "N45°28'14.00\" W073°44'27.00\""},
      {"NFTE", "EAST OF THE LINE", "S16°03'00.00\" W179°48'00.00\""},
      {"NFTW", "WEST OF THE LINE", "S16°00'00.00\" E179°48'00.00\""},
      {"NFTL", "ON THE LINE", "N00°00'00.00\" E180°00'00.00\""},
      {"XXXA", "NOT PLACED", "none"},
      {"XXXB", "NOT PLACED", "none"},
      {"XXXC", "NOT PLACED", "none"},
      {"XXXD", "NOT PLACED", "none"},
      {"XXXE", "NOT PLACED", "none"},
      {"ABC", "THREE", "S01°30'00.00\" W001°00'00.00\""},
      {"EDDX", std::string(24, 'x'), "none"},
      {"xxxx", "", "none"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(db.Name(c.id), c.name) << c.id;
    EXPECT_EQ(Shown(db.Location(c.id)), c.location) << c.id;
  }
  EXPECT_EQ(db.Elevation("EGLL"), 83);
}

TEST(AirportDatabase, FindsTheFirstOfEqualKeys) {
  AirportRunways runways;
  runways.Append({.icao = "AAAA", .alt = 1});
  runways.Append({.icao = "BBBB", .alt = 2});
  runways.Append({.icao = "BBBB", .alt = 3});
  runways.Sort();
  ASSERT_NE(runways.FindFirst("BBBB"), nullptr);
  EXPECT_EQ(runways.FindFirst("BBBB")->alt, 2);
  EXPECT_EQ(runways.FindFirst("ZZZZ"), nullptr);
  EXPECT_EQ(runways.FindFirst("AAAA")->alt, 1);
}

TEST(AirportDatabase, ProgressEveryHundredLines) {
  std::string bytes;
  for (int i = 0; i < 250; ++i)
    bytes += DbLine("EAAA", "    1") + "\r\n";
  AirportDatabase db;
  std::vector<std::size_t> progress;
  LoadAirportLines(bytes, db, [&](std::size_t n) { progress.push_back(n); });
  EXPECT_EQ(progress, (std::vector<std::size_t>{0, 100, 200}));
  EXPECT_EQ(db.runways.Count(), 250u);
}

TEST(AirportDatabase, MissingFileLeavesElevationsZero) {
  test::TempDir dir;
  AirportDatabase db;
  const auto result = LoadAirportDatabase(AirportDatabasePath(dir.path()), db);
  EXPECT_FALSE(result.loaded);
  EXPECT_EQ(result.message, "File wpNavApt.txt missing");
  EXPECT_FALSE(db.airports_loaded);
  EXPECT_EQ(db.Elevation("EAAA"), 0);

  const auto loaded = LoadAirportDatabase(test::DataDir() / "wpNavApt.txt", db);
  EXPECT_TRUE(loaded.loaded);
  EXPECT_EQ(db.Elevation("EAAA"), 364);
}

// Files whose size the file system does not announce (Linux's /proc reports
// 0): the load reads to the end, and a read error is reported, never taken
// for a complete, empty database.
TEST(AirportDatabase, ReadsToTheEndWhateverSizeIsAnnounced) {
  KORVANTA_LINUX_ONLY("/proc is Linux's");
  if (!std::filesystem::exists("/proc/self/status"))
    GTEST_SKIP() << "no /proc";
  struct Case {
    const char* file;
    bool loaded;
    const char* message_start;
  };
  const Case cases[] = {
      {"/proc/self/status", true, ""},            // holds lines, size 0
      {"/proc/self/mem", false, "Cannot read "},  // reading at offset 0 fails
  };
  for (const auto& c : cases) {
    AirportDatabase db;
    const auto result = LoadAirportDatabase(c.file, db);
    EXPECT_EQ(result.loaded, c.loaded) << c.file;
    EXPECT_EQ(db.airports_loaded, c.loaded) << c.file;
    EXPECT_EQ(result.message.rfind(c.message_start, 0), 0u) << c.file << ": " << result.message;
    if (c.loaded) {
      const std::string bytes = test::ReadFile(c.file);
      EXPECT_EQ(db.runways.Count(),
                static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')))
          << c.file;
    }
  }
}

}  // namespace
}  // namespace korvanta
