#include "route/airports.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

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
    ASSERT_EQ(db.elevations.Count(), 1u);
    EXPECT_EQ(db.elevations.Rows()[0].alt, c.alt) << "[" << c.field << "]";
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
  EXPECT_EQ(db.elevations.Count(), 5u);
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
  EXPECT_EQ(db.elevations.Rows()[0].icao, "");
  EXPECT_EQ(db.elevations.Rows()[1].icao, "ABC ");
}

TEST(AirportDatabase, FindsTheFirstOfEqualKeys) {
  AirportElevations elevations;
  elevations.Append({"AAAA", 1});
  elevations.Append({"BBBB", 2});
  elevations.Append({"BBBB", 3});
  elevations.Sort();
  ASSERT_NE(elevations.FindFirst("BBBB"), nullptr);
  EXPECT_EQ(elevations.FindFirst("BBBB")->alt, 2);
  EXPECT_EQ(elevations.FindFirst("ZZZZ"), nullptr);
  EXPECT_EQ(elevations.FindFirst("AAAA")->alt, 1);
}

TEST(AirportDatabase, ProgressEveryHundredLines) {
  std::string bytes;
  for (int i = 0; i < 250; ++i)
    bytes += DbLine("EAAA", "    1") + "\r\n";
  AirportDatabase db;
  std::vector<std::size_t> progress;
  LoadAirportLines(bytes, db, [&](std::size_t n) { progress.push_back(n); });
  EXPECT_EQ(progress, (std::vector<std::size_t>{0, 100, 200}));
  EXPECT_EQ(db.elevations.Count(), 250u);
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
      EXPECT_EQ(db.elevations.Count(),
                static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')))
          << c.file;
    }
  }
}

}  // namespace
}  // namespace korvanta
