// The FMC data folder's fixes, navaids and airways files: their columns, the
// kinds of navaid kept, airway listings with gaps, the cycle comment and the
// faults that stop a load.

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <variant>

#include "io/utf8_path.hpp"
#include "navdata/fmc_navigation_files.hpp"
#include "test_support.hpp"

namespace korvanta {
namespace {

// Fictional data in the files' columns.
const std::string kKovan = "KOVAN                   KOVAN 51.500000  -0.250000";
const std::string kBracken = "BRACKEN                 BKN  VORD 51.500000  -0.250000114.30H KBKN";
const std::string kLuton = "LUTON                   LUT  NDB  51.875000  -0.375000338.50N";

// Every point in the order added, as "ID kind latitude longitude frequency"
// in hundredths of an arc-second; or the error.
std::string Dump(const std::optional<NavigationLoadError>& error, const NavigationData& data) {
  if (error)
    return error->message;
  std::string out;
  for (PointIndex index = 0; index < data.PointCount(); ++index) {
    const NavigationPoint& point = data.Point(index);
    out += fmt::format("{} {} {} {} {}\n", point.Id(), KindLetter(point.kind),
                       point.position.latitude, point.position.longitude, point.FrequencyText());
  }
  return out;
}

std::string Read(FmcNavigationFile kind, const std::string& text) {
  NavigationData data;
  const auto error = ReadFmcNavigationText(kind, text, "F", data);
  return Dump(error, data);
}

TEST(FmcNavigationFiles, FixColumns) {
  const std::pair<std::string, std::string> cases[] = {
      {std::string(kKovan) + "\r\n", "KOVAN I 18540000 -90000 0\n"},
      {"TELDO                   TELDO-33.000001 151.000002", "TELDO I -11880000 54360001 0\n"},
      {"; fixes\n\n   \n" + kKovan, "KOVAN I 18540000 -90000 0\n"},
      {std::string(kKovan) + "\r\n" + kKovan.substr(0, 38) + "\r\n",
       "Cannot read F, line 2: the line is too short for its columns"},
      {"KOVAN                   KOVAN 91.000000  -0.250000",
       "Cannot read F, line 1: the latitude \"91.000000\" lies beyond 90 degrees"},
      {"KOVAN                   KOVAN 51.500000 180.500000",
       "Cannot read F, line 1: the longitude \"180.500000\" lies beyond 180 degrees"},
      {"KOVAN                   KOVAN 51.5000,0  -0.250000",
       "Cannot read F, line 1: the latitude \"51.5000,0\" does not read"},
      {"KOVAN                   KOVAN 51.500000  -0.25 000",
       "Cannot read F, line 1: the longitude \"-0.25 000\" does not read"},
      {"KOVAN                         51.500000  -0.250000",
       "Cannot read F, line 1: no identifier"},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(Read(FmcNavigationFile::kFixes, text), expected) << text;
}

TEST(FmcNavigationFiles, NavaidColumnsAndKinds) {
  const std::pair<std::string, std::string> cases[] = {
      {kBracken, "BKN V 18540000 -90000 114.30\n"},
      {kLuton, "LUT N 18675000 -135000 338.5\n"},
      {"WESTON                  WTN  DME  51.000000   1.000000   n/a", "WTN V 18360000 360000 0\n"},
      {"WESTON                  WTN  VOR  51.000000   1.000000108.05",
       "WTN V 18360000 360000 108.05\n"},
      {"KOVAN                   IKV  ILSD 51.500000  -0.250000110.30T\n"
       "KOVAN                   KV   NDBM 51.500000  -0.250000 385.0\n"
       "KOVAN                   IKW  ILS",
       ""},
      {"BRACKEN                 BKN  VORD 51.500000",
       "Cannot read F, line 1: the line is too short for its columns"},
      {"BRACKEN                 BKN",
       "Cannot read F, line 1: the line is too short for its columns"},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(Read(FmcNavigationFile::kNavaids, text), expected) << text;
}

TEST(FmcNavigationFiles, AirwayListings) {
  NavigationData data;
  ASSERT_FALSE(ReadFmcNavigationText(FmcNavigationFile::kNavaids, kBracken, "A", data));
  ASSERT_FALSE(ReadFmcNavigationText(FmcNavigationFile::kFixes, kKovan, "F", data));
  const std::string listing =
      "; airways\n"
      "UL9 001 KOVAN 51.500000 -0.250000\n"
      "UL9 002 BKN   51.500010 -0.250000\n"
      "UL9\t003\tNEWPT 52.000000 -1.000000 extra\n"
      "UL9 001 GAPPT 53.000000 -2.000000\n"
      "UL9 002 FARPT 54.000000 -3.000000\n"
      "Q1 001 FARPT 54.000000 -3.000000\n"
      "Q1 003 KOVAN 51.500000 -0.250000\n";
  ASSERT_FALSE(ReadFmcNavigationText(FmcNavigationFile::kAirways, listing, "R", data));
  data.Finish();
  EXPECT_EQ(Dump(std::nullopt, data),
            "BKN V 18540000 -90000 114.30\n"
            "KOVAN I 18540000 -90000 0\n"
            "NEWPT I 18720000 -360000 0\n"
            "GAPPT I 19080000 -720000 0\n"
            "FARPT I 19440000 -1080000 0\n");
  EXPECT_EQ(data.AirwayLegCount(), 3u);
  const auto along = data.AlongAirway("UL9", 1, "NEWPT");
  ASSERT_TRUE(along);
  EXPECT_EQ(*along, (std::vector<PointIndex>{0, 2}));
  EXPECT_FALSE(data.AlongAirway("UL9", 2, "GAPPT"));
  EXPECT_TRUE(data.AlongAirway("UL9", 3, "FARPT"));
  EXPECT_FALSE(data.AlongAirway("Q1", 4, "KOVAN"));

  EXPECT_EQ(Read(FmcNavigationFile::kAirways, "UL9 001 KOVAN 51.500000\n"),
            "Cannot read F, line 1: the line is too short for its columns");
  using namespace std::string_literals;
  EXPECT_EQ(Read(FmcNavigationFile::kAirways, "UL9 001 \0AB 51.500000 -0.250000\n"s),
            "Cannot read F, line 1: no identifier");
  EXPECT_EQ(Read(FmcNavigationFile::kAirways, "UL9 001 KOVAN 51.500000 -190\n"),
            "Cannot read F, line 1: the longitude \"-190\" lies beyond 180 degrees");
}

TEST(FmcNavigationFiles, CycleComment) {
  const std::pair<const char*, const char*> cases[] = {
      {"; AIRAC 2613 fictional data\n", "2613"},
      {";Navigraph data, cycle 2301 rev 2, 2023\n", "2301"},
      {"; built 2023-01-05\n", ""},
      {"; AIRAC cycle 26135, then 2613\n", "2613"},
  };
  for (const auto& [text, cycle] : cases) {
    NavigationData data;
    ASSERT_FALSE(ReadFmcNavigationText(FmcNavigationFile::kFixes, text, "F", data));
    EXPECT_EQ(data.cycle, cycle) << text;
  }
}

TEST(FmcNavigationFiles, LoadsTheFolder) {
  const test::TempDir folder;
  test::WriteFile(folder / "WPNAVFIX.TXT",
                  "; AIRAC 2613 fictional data\r\n" + std::string(kKovan) +
                      "\r\nBRACKEN                 BKN   51.500000  -0.250000\r\n");
  test::WriteFile(folder / "wpnavaid.txt", std::string(kBracken) + "\r\n" + kLuton + "\r\n");
  test::WriteFile(folder / "wpNavRTE.txt",
                  "UL9 001 KOVAN 51.500000 -0.250000\r\n"
                  "UL9 002 LUT 51.875000 -0.375000\r\n");
  test::WriteFile(folder / "WpNavApt.Txt", "");
  const NavigationLoadResult result = LoadFmcNavigation(folder.path());
  ASSERT_TRUE(std::holds_alternative<NavigationData>(result));
  const NavigationData& data = std::get<NavigationData>(result);
  EXPECT_EQ(data.PointCount(), 3u);  // the fix listing the VOR again is the VOR
  EXPECT_EQ(data.CountOf(WaypointKind::kVor), 1u);
  EXPECT_EQ(data.AirwayLegCount(), 1u);
  EXPECT_EQ(data.cycle, "2613");
  EXPECT_EQ(data.cycle_comment, "; AIRAC 2613 fictional data");
  EXPECT_EQ(data.description, "FMC data folder " + ShownPath(folder.path()));
  // The same file, whichever spelling a file system that ignores case gives back.
  const std::optional<std::filesystem::path> list =
      FindFileIgnoringCase(folder.path(), "wpNavAPT.txt");
  ASSERT_TRUE(list);
  EXPECT_TRUE(std::filesystem::equivalent(*list, folder / "WpNavApt.Txt"));
  EXPECT_EQ(FindFileIgnoringCase(folder.path(), "wpNavSID.txt"), std::nullopt);

  test::WriteFile(folder / "wpNavRTE.txt", "UL9 001 KOVAN 51.500000 -0.250000\r\nUL9 002 LUT\r\n");
  const NavigationLoadResult faulty = LoadFmcNavigation(folder.path());
  ASSERT_TRUE(std::holds_alternative<NavigationLoadError>(faulty));
  EXPECT_EQ(std::get<NavigationLoadError>(faulty).message,
            "Cannot read " + ShownPath(folder / "wpNavRTE.txt") +
                ", line 2: the line is too short for its columns");

  std::filesystem::remove(folder / "WPNAVFIX.TXT");
  const NavigationLoadResult missing = LoadFmcNavigation(folder.path());
  ASSERT_TRUE(std::holds_alternative<NavigationLoadError>(missing));
  EXPECT_EQ(std::get<NavigationLoadError>(missing).message,
            "No wpNavFIX.txt in " + ShownPath(folder.path()));
}

}  // namespace
}  // namespace korvanta
