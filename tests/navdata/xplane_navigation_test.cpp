// X-Plane's fix, navaid and airway files: the rows each reader takes, the
// faults it names, and the index that the three files of an installation
// give, each file from Custom Data or the default data.

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "navdata/xplane_navigation_files.hpp"
#include "test_support.hpp"

namespace korvanta {
namespace {

constexpr std::string_view kHeader = "I\n1150 Version - data cycle 2613, build 20261203\n";

// Every point a reader takes, one line each, or its fault.
template <typename Reader>
std::string Points(Reader reader, std::string_view text) {
  std::string out;
  const XPlaneReadResult result = reader(text, "nav.dat", [&](const XPlaneListedPoint& point) {
    out += fmt::format("{} {} {} {} {} {}{}\n", point.id, point.region, KindLetter(point.kind),
                       point.position.latitude, point.position.longitude, point.frequency,
                       point.terminal ? " terminal" : "");
  });
  if (const auto* error = std::get_if<NavigationLoadError>(&result))
    return error->message;
  return out + "cycle " + std::get<XPlaneFileVersion>(result).cycle;
}

std::string Segments(std::string_view text) {
  std::string out;
  const XPlaneReadResult result =
      ReadXPlaneAirways(text, "nav.dat", [&](const XPlaneAirwaySegment& segment) {
        out += fmt::format("{} {} {} > {} {} {} {}\n", segment.from.id, segment.from.region,
                           KindLetter(segment.from.kind), segment.to.id, segment.to.region,
                           KindLetter(segment.to.kind), segment.airways);
      });
  if (const auto* error = std::get_if<NavigationLoadError>(&result))
    return error->message;
  return out;
}

TEST(XPlaneNavigationFiles, FixRows) {
  // 50.5 N 1.25 W; a terminal fix with a name of several words, whose
  // fractions round to a whole degree and to none.
  EXPECT_EQ(Points(ReadXPlaneFixes, std::string(kHeader) +
                                        " 50.500000000  -1.250000000 ALPHA ENRT EG 2097152\n"
                                        "-33.000000001 151.999999999 BRAVO YSSY YM 4530263 B N\n"
                                        "\n99\nafter the end\n"),
            "ALPHA EG I 18180000 -450000 0\n"
            "BRAVO YM I -11880000 54720000 0 terminal\n"
            "cycle 2613");
}

TEST(XPlaneNavigationFiles, NavaidRows) {
  const std::string text = std::string(kHeader) +
                           "2  50.0 -1.0   0   362  50 0.000 BF  ENRT EG BRAVO NDB\n"
                           "2  50.2 -1.2   0 338.5  25 0.000 KL  ENRT EG KILO NDB\n"
                           // the VOR's and the NDB's own DMEs, and an ILS's
                           "3  51.0 -2.0   0 11430 130 -2.00 BPK ENRT EG BROOKMANS VOR-DME\n"
                           "12 51.0 -2.0   0 11430 130 0.000 BPK ENRT EG BROOKMANS VOR-DME DME\n"
                           "13 50.0 -1.0   0 11600  50 0.000 BF  ENRT EG BRAVO NDB-DME DME\n"
                           "12 51.5 -0.5 100 11030  18 0.000 ILL EGLL EG 27R DME-ILS\n"
                           // a DME before its VOR
                           "12 53.0 -4.0   0 11200 130 0.000 ZED ENRT EG ZED DME\n"
                           "3  53.0 -4.0   0 11200 130 0.000 ZED ENRT EG ZED VOR\n"
                           // a DME of its own, a terminal VOR, a localizer
                           "13 52.0 -3.0   0 11500 130 0.000 DMX ENRT EG LONELY DME\n"
                           "3  51.1 -0.1   0 11090  25 0.000 TVR EGKK EG GATWICK VOR\n"
                           "4  51.4 -0.4 100 11030  18 269.0 ILL EGLL EG 27R ILS-cat-III\n"
                           "99\n";
  EXPECT_EQ(Points(ReadXPlaneNavaids, text),
            "BF EG N 18000000 -360000 3620\n"
            "KL EG N 18072000 -432000 3385\n"
            "BPK EG V 18360000 -720000 11430\n"
            "ZED EG V 19080000 -1440000 11200\n"
            "TVR EG V 18396000 -36000 11090 terminal\n"
            "DMX EG V 18720000 -1080000 11500\n"
            "cycle 2613");
}

TEST(XPlaneNavigationFiles, AirwayRows) {
  EXPECT_EQ(Segments(std::string(kHeader) + "ALPHA EG 11 BPK EG 3 N 2 180 450 Q295\n"
                                            "BPK   EG  3 BF  EG 2 F 1  50 180 L620-UL620\n99\n"),
            "ALPHA EG I > BPK EG V Q295\n"
            "BPK EG V > BF EG N L620-UL620\n");
}

TEST(XPlaneNavigationFiles, FaultsNameTheFileAndLine) {
  struct Case {
    std::string text;
    std::string message;
  };
  const std::vector<Case> fix_cases = {
      {"X\n1101 Version\n99\n",
       "Cannot read nav.dat, line 1: not one of X-Plane's data files (no \"I\" or \"A\" on its "
       "first line)"},
      {"I\ndata cycle 2613\n99\n", "Cannot read nav.dat, line 2: no version line"},
      {"I\n1000 Version - data cycle 1602\n99\n",
       "Cannot read nav.dat, line 2: version 1000 is older than the layout of X-Plane 11 and 12"},
      {std::string(kHeader) + "50.0 -1.0 ALPHA ENRT\n99\n",
       "Cannot read nav.dat, line 3: 4 fields where 5 are needed"},
      {std::string(kHeader) + "\n90.5 -1.0 ALPHA ENRT EG 1\n99\n",
       "Cannot read nav.dat, line 4: latitude \"90.5\" does not read"},
      {std::string(kHeader) + "50.0 1,5 ALPHA ENRT EG 1\n99\n",
       "Cannot read nav.dat, line 3: longitude \"1,5\" does not read"},
      {std::string(kHeader) + "50.0 -1.0 ALPHA ENRT EG 1\n",
       "Cannot read nav.dat: it ends before its closing \"99\" line"},
  };
  for (const Case& c : fix_cases)
    EXPECT_EQ(Points(ReadXPlaneFixes, c.text), c.message) << c.text;
  EXPECT_EQ(Points(ReadXPlaneNavaids, std::string(kHeader) + "3 51 -2 0 114.3 130 0 BPK\n99\n"),
            "Cannot read nav.dat, line 3: 8 fields where 10 are needed");
  EXPECT_EQ(
      Points(ReadXPlaneNavaids, std::string(kHeader) + "3 51 -2 0 114,3 130 0 BPK ENRT EG B\n99\n"),
      "Cannot read nav.dat, line 3: frequency \"114,3\" does not read");
  EXPECT_EQ(Points(ReadXPlaneNavaids, std::string(kHeader) + "V 51 -2\n99\n"),
            "Cannot read nav.dat, line 3: row code \"V\" does not read");
  EXPECT_EQ(Segments(std::string(kHeader) + "A EG 11 B EG 7 N 2 180 450 Q1\n99\n"),
            "Cannot read nav.dat, line 3: point type \"7\" is none of 11 (fix), 2 (NDB) and 3 "
            "(VOR)");
}

std::string Header(std::string_view cycle) {
  return fmt::format("I\n1200 Version - data cycle {}, build 20261203, metadata X\n", cycle);
}

// An installation whose Custom Data holds the fixes and the airways, and
// whose default data holds all three files.
struct Installation {
  test::TempDir folder;

  Installation() {
    const std::filesystem::path custom = folder / "Custom Data";
    const std::filesystem::path fallback = folder.path() / "Resources" / "default data";
    test::WriteFile(custom / "earth_fix.dat",
                    Header("2613") +
                        // the name and region of an en route fix, in a terminal area
                        "40.0 10.0 BRAVO EGLL EG 1\n"
                        "50.0 -1.0 ALPHA ENRT EG 1\n"
                        "51.9 -1.9 BRAVO ENRT EG 1\n99\n");
    test::WriteFile(fallback / "earth_fix.dat", Header("2001") + "10.0 10.0 OLDFX ENRT EG 1\n99\n");
    test::WriteFile(fallback / "earth_nav.dat",
                    Header("2001") + "3 51.0 -2.0 0 11430 130 0 BPK ENRT EG BROOKMANS VOR\n99\n");
    test::WriteFile(custom / "earth_awy.dat",
                    Header("2613") +
                        "ALPHA EG 11 BPK EG 3 N 2 180 450 Q295-L9\n"
                        "BPK EG 3 BRAVO EG 11 N 2 180 450 Q295\n"
                        "BPK EG 3 OLDFX EG 11 N 2 180 450 Q295\n"  // no such fix in Custom Data
                        "BPK EG 2 ALPHA EG 11 N 2 180 450 Q295\n99\n");  // no NDB BPK
    test::WriteFile(fallback / "earth_awy.dat", Header("2001") + "99\n");
  }
};

TEST(XPlaneNavigationFiles, EachFileFromCustomDataWhenItHoldsIt) {
  const Installation xplane;
  const XPlaneNavigationFiles files = XPlaneNavigationFilesIn(xplane.folder.path());
  EXPECT_EQ(files.fixes, xplane.folder / "Custom Data" / "earth_fix.dat");
  EXPECT_EQ(files.navaids, xplane.folder.path() / "Resources" / "default data" / "earth_nav.dat");
  EXPECT_EQ(files.airways, xplane.folder / "Custom Data" / "earth_awy.dat");
}

TEST(XPlaneNavigationFiles, LoadsTheIndex) {
  const Installation xplane;
  const NavigationLoadResult result = LoadXPlaneNavigation(xplane.folder.path());
  ASSERT_TRUE(std::holds_alternative<NavigationData>(result))
      << std::get<NavigationLoadError>(result).message;
  const NavigationData& data = std::get<NavigationData>(result);
  EXPECT_EQ(data.cycle, "2613");
  EXPECT_EQ(data.cycle_comment, "1200 Version - data cycle 2613, build 20261203, metadata X");
  EXPECT_EQ(data.description, "X-Plane " + ShownPath(xplane.folder.path()) +
                                  " (2 airway segments left out: an end is in neither the fix "
                                  "nor the navaid file)");
  EXPECT_EQ(data.PointCount(), 4u);
  EXPECT_TRUE(data.Named("OLDFX").empty());
  EXPECT_EQ(data.Point(data.Named("BPK").at(0)).FrequencyText(), "114.30");

  // Q295 runs ALPHA - BPK - BRAVO, through the en route BRAVO; L9 shares its first leg.
  const PointIndex alpha = data.Named("ALPHA").at(0);
  const auto along = data.AlongAirway("Q295", alpha, "BRAVO");
  ASSERT_TRUE(along.has_value());
  ASSERT_EQ(along->size(), 2u);
  EXPECT_EQ(data.Point(along->back()).position, (Position{51 * 360000 + 324000, -684000}));
  EXPECT_TRUE(data.AlongAirway("L9", alpha, "BPK").has_value());
  EXPECT_EQ(data.Named("BRAVO").size(), 2u);
}

TEST(XPlaneNavigationFiles, LoadErrorNamesTheFile) {
  const Installation xplane;
  std::filesystem::remove(xplane.folder.path() / "Resources" / "default data" / "earth_nav.dat");
  const NavigationLoadResult result = LoadXPlaneNavigation(xplane.folder.path());
  ASSERT_TRUE(std::holds_alternative<NavigationLoadError>(result));
  EXPECT_EQ(std::get<NavigationLoadError>(result).message.rfind(
                "Cannot open " + ShownPath(xplane.folder.path() / "Resources" / "default data" /
                                           "earth_nav.dat"),
                0),
            0u);
}

}  // namespace
}  // namespace korvanta
