// The X-Plane 11/12 flight plan, the GPX route, their exact positions and the
// AIRAC cycle.

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "app/targets.hpp"
#include "app/writer_slots.hpp"
#include "route/run_error.hpp"
#include "test_support.hpp"
#include "writers/airac_cycle.hpp"
#include "writers/gpx.hpp"
#include "writers/point_position.hpp"
#include "writers/xplane11.hpp"

namespace korvanta {
namespace {

using test::CrLf;

// "*" stands for the degree sign of the route text.
std::string Dms(const std::string& text) {
  return test::WithDegreeSign(text, '*');
}

RmRow Row(const std::string& id, const std::string& lat, const std::string& lon,
          const std::string& route, const std::string& typ) {
  RmRow r;
  r.id = id;
  r.lat = Dms(lat);
  r.lon = Dms(lon);
  r.route = route;
  r.typ = typ;
  return r;
}

std::string Lf(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines)
    out += l + "\n";
  return out;
}

// ---------------------------------------------------------------------------
// Positions: exact to the last of six decimals, south and west negative.

TEST(ExactPosition, DecimalDegreesFromEveryPieceOfTheText) {
  struct Case {
    std::string dms;
    bool latitude;
    std::optional<std::string> decimal;
  };
  const std::vector<Case> cases = {
      {"N50*02'00.00\"", true, "50.033333"},
      {"E008*34'14.00\"", false, "8.570556"},
      {"S23*30'00.55\"", true, "-23.500153"},  // hundredths of a second count
      {"W047*00'00.01\"", false, "-47.000003"},
      {"S00*00'00.18\"", true, "-0.000050"},  // exactly 0.00005
      {"E000*00'00.02\"", false, "0.000006"},
      {"W000*00'00.02\"", false, "-0.000006"},  // half away from zero, also below zero
      {"S00*00'00.00\"", true, "0.000000"},     // no minus sign on zero
      {"W000*00'00.01\"", false, "-0.000003"},
      {"N90*00'00.00\"", true, "90.000000"},
      {"W180*00'00.00\"", false, "-180.000000"},
      {"N50*02'00.5\"", true, "50.033472"},  // one decimal of the seconds
      {"N50*02'00\"", true, "50.033333"},
      // Does not read.
      {"ERR", true, std::nullopt},
      {"", false, std::nullopt},
      {"N50*02'00.00", true, std::nullopt},
      {"N50*02'00.00\" ", true, std::nullopt},
      {"N50*60'00.00\"", true, std::nullopt},
      {"N50*02'60.00\"", true, std::nullopt},
      {"N50*02'00.001\"", true, std::nullopt},
      {"N90*00'00.01\"", true, std::nullopt},
      {"E180*00'00.01\"", false, std::nullopt},
      {"E008*34'14.00\"", true, std::nullopt},  // a longitude's hemisphere as latitude
      {"N50*34'14.00\"", false, std::nullopt},
      {"N 50.0333", true, std::nullopt},  // the decimal mode's form
      {"N-5*02'00.00\"", true, std::nullopt},
  };
  for (const Case& c : cases) {
    const std::string dms = Dms(c.dms);
    EXPECT_EQ(c.latitude ? LatDmsToExactDecimalText(dms) : LonDmsToExactDecimalText(dms), c.decimal)
        << c.dms;
  }
}

// ---------------------------------------------------------------------------
// AIRAC cycles

TEST(AiracCycle, CycleInForceOnADate) {
  using namespace std::chrono;
  const std::vector<std::pair<year_month_day, std::string>> cases = {
      {2020y / 1 / 2, "2001"},  {2020y / 1 / 1, "1913"},   {2020y / 12 / 31, "2014"},
      {2021y / 1 / 27, "2014"}, {2021y / 1 / 28, "2101"},  {2024y / 12 / 26, "2413"},
      {2025y / 1 / 22, "2413"}, {2025y / 1 / 23, "2501"},  {2017y / 10 / 12, "1711"},
      {2026y / 12 / 8, "2612"}, {2026y / 12 / 31, "2613"}, {2030y / 1 / 1, "2913"},
  };
  for (const auto& [date, cycle] : cases)
    EXPECT_EQ(AiracCycleOn(date), cycle)
        << static_cast<int>(date.year()) << "-" << static_cast<unsigned>(date.month()) << "-"
        << static_cast<unsigned>(date.day());
}

TEST(AiracCycle, NamesOnlyCyclesThatExist) {
  const std::vector<std::pair<std::string, bool>> cases = {
      {"2001", true},  {"2014", true},  {"2113", true}, {"2613", true},
      {"1711", true},  {"2114", false},  // 2021 has thirteen cycles
      {"2000", false}, {"2615", false}, {"261", false}, {"26131", false},
      {"26a3", false}, {"-261", false}, {"", false},    {" 2613", false},
  };
  for (const auto& [text, valid] : cases)
    EXPECT_EQ(IsAiracCycle(text), valid) << text;
}

// ---------------------------------------------------------------------------
// The route both writers are shown: southern and western points, an airway
// run, an NDB, the departure airport passed again, points at the equator.

RouteHeader SouthAmerica() {
  RouteHeader h;
  h.DepIcao = "SBGR";
  h.DestIcao = "SCEL";
  h.DepName = "S\xC3O PAULO/GUARULHOS";  // 0xC3: A with tilde
  h.DestName = "ARTURO & <BENITEZ>";
  h.DepElev = 2461;
  h.DestElev = 1555;
  h.CruiseAlt = 35000;
  return h;
}

RmTable SouthAmericaRm() {
  return test::Table({
      Row("SBGR", "S23*26'08.00\"", "W046*28'23.00\"", "", "A"),
      Row("PCX", "S23*30'00.55\"", "W046*50'00.00\"", "UZ10", "V"),
      Row("ILKAP", "S24*00'00.00\"", "W047*00'00.01\"", "UZ10", "I"),
      Row("SBGR", "S23*26'08.00\"", "W046*28'23.00\"", "", "I"),
      Row("\xC9TRA", "N00*00'00.00\"", "W000*00'00.02\"", "UM400", "N"),
      Row("EQ", "S00*00'00.18\"", "E000*00'00.02\"", "", "I"),
      Row("SCEL", "S33*23'35.00\"", "W070*47'09.00\"", "", "A"),
  });
}

RouteHeader Europe() {
  RouteHeader h;
  h.DepIcao = "EAAA";
  h.DestIcao = "EBBB";
  h.DepName = "ALPHA";
  h.DestName = "BETA";
  h.DepElev = -17;
  h.DestElev = 17;
  h.CruiseAlt = 4500;
  return h;
}

RmTable EuropeRm() {
  return test::Table({
      Row("EAAA", "N50*02'00.00\"", "E008*34'14.00\"", "", "A"),
      Row("EBBB", "N50*52'00.00\"", "E005*15'00.00\"", "", "A"),
  });
}

// ---------------------------------------------------------------------------
// X-Plane 11/12

TEST(XPlane11Fms, WholePlanWithRunwayAirwaysAndAnAirportPassed) {
  EXPECT_EQ(WriteXPlane11Fms(SouthAmerica(), SouthAmericaRm(), " 27 r", "2613"),
            CrLf({
                "I",
                "1100 Version",
                "CYCLE 2613",
                "ADEP SBGR",
                "DEPRWY RW27R",
                "ADES SCEL",
                "NUMENR 7",
                "1 SBGR ADEP 2461 -23.435556 -46.473056",
                "3 PCX DRCT 35000 -23.500153 -46.833333",
                "11 ILKAP UZ10 35000 -24.000000 -47.000003",
                "1 SBGR UZ10 35000 -23.435556 -46.473056",
                "2 \xC9TRA DRCT 35000 0.000000 -0.000006",
                "11 EQ UM400 35000 -0.000050 0.000006",
                "1 SCEL ADES 1555 -33.393056 -70.785833",
            }));
}

TEST(XPlane11Fms, AirportsOnlyWithoutRunway) {
  const std::string expected = CrLf({
      "I",
      "1100 Version",
      "CYCLE 2501",
      "ADEP EAAA",
      "ADES EBBB",
      "NUMENR 2",
      "1 EAAA ADEP -17 50.033333 8.570556",
      "1 EBBB ADES 17 50.866667 5.250000",
  });
  EXPECT_EQ(WriteXPlane11Fms(Europe(), EuropeRm(), "", "2501"), expected);
  EXPECT_EQ(WriteXPlane11Fms(Europe(), EuropeRm(), "  ", "2501"), expected);
}

// ---------------------------------------------------------------------------
// GPX

TEST(GpxRoute, WholeRouteUtf8EscapedWithDescriptionsWhereThereAreAny) {
  EXPECT_EQ(
      WriteGpxRoute(SouthAmerica(), SouthAmericaRm()),
      Lf({
          R"(<?xml version="1.0" encoding="UTF-8"?>)",
          R"(<gpx version="1.1" creator="Korvanta" xmlns="http://www.topografix.com/GPX/1/1">)",
          "  <metadata>",
          "    <name>SBGR-SCEL</name>",
          "    <desc>S\xC3\x83O PAULO/GUARULHOS to ARTURO &amp; &lt;BENITEZ&gt;, FL350</desc>",
          "  </metadata>",
          "  <rte>",
          "    <name>SBGR-SCEL</name>",
          R"(    <rtept lat="-23.435556" lon="-46.473056">)",
          "      <ele>750.1</ele>",
          "      <name>SBGR</name>",
          "      <desc>S\xC3\x83O PAULO/GUARULHOS</desc>",
          "      <type>Airport</type>",
          "    </rtept>",
          R"(    <rtept lat="-23.500153" lon="-46.833333">)",
          "      <ele>10668.0</ele>",
          "      <name>PCX</name>",
          "      <desc>UZ10</desc>",
          "      <type>VOR</type>",
          "    </rtept>",
          R"(    <rtept lat="-24.000000" lon="-47.000003">)",
          "      <ele>10668.0</ele>",
          "      <name>ILKAP</name>",
          "      <desc>UZ10</desc>",
          "      <type>Waypoint</type>",
          "    </rtept>",
          R"(    <rtept lat="-23.435556" lon="-46.473056">)",
          "      <ele>10668.0</ele>",
          "      <name>SBGR</name>",
          "      <type>Airport</type>",
          "    </rtept>",
          R"(    <rtept lat="0.000000" lon="-0.000006">)",
          "      <ele>10668.0</ele>",
          "      <name>\xC3\x89TRA</name>",
          "      <desc>UM400</desc>",
          "      <type>NDB</type>",
          "    </rtept>",
          R"(    <rtept lat="-0.000050" lon="0.000006">)",
          "      <ele>10668.0</ele>",
          "      <name>EQ</name>",
          "      <type>Waypoint</type>",
          "    </rtept>",
          R"(    <rtept lat="-33.393056" lon="-70.785833">)",
          "      <ele>474.0</ele>",
          "      <name>SCEL</name>",
          "      <desc>ARTURO &amp; &lt;BENITEZ&gt;</desc>",
          "      <type>Airport</type>",
          "    </rtept>",
          "  </rte>",
          "</gpx>",
      }));
}

// Elevations below sea level round away from zero as well (17 ft = 5.1816 m);
// a low cruise altitude keeps three digits.
TEST(GpxRoute, AirportsOnlyBelowSeaLevel) {
  EXPECT_EQ(
      WriteGpxRoute(Europe(), EuropeRm()),
      Lf({
          R"(<?xml version="1.0" encoding="UTF-8"?>)",
          R"(<gpx version="1.1" creator="Korvanta" xmlns="http://www.topografix.com/GPX/1/1">)",
          "  <metadata>",
          "    <name>EAAA-EBBB</name>",
          "    <desc>ALPHA to BETA, FL045</desc>",
          "  </metadata>",
          "  <rte>",
          "    <name>EAAA-EBBB</name>",
          R"(    <rtept lat="50.033333" lon="8.570556">)",
          "      <ele>-5.2</ele>",
          "      <name>EAAA</name>",
          "      <desc>ALPHA</desc>",
          "      <type>Airport</type>",
          "    </rtept>",
          R"(    <rtept lat="50.866667" lon="5.250000">)",
          "      <ele>5.2</ele>",
          "      <name>EBBB</name>",
          "      <desc>BETA</desc>",
          "      <type>Airport</type>",
          "    </rtept>",
          "  </rte>",
          "</gpx>",
      }));
}

// A position that does not read stops the run with the waypoint's name;
// neither writer puts a marker text into a file a device would load.
TEST(NewWriters, UnreadableCoordinateIsTheRunsErrorNamingTheWaypoint) {
  const RmTable rm = test::Table({
      Row("EAAA", "N50*02'00.00\"", "E008*34'14.00\"", "", "A"),
      Row("K\xD6LN", "N50*02'00.00\"", "ERR", "", "I"),  // 0xD6: O with diaeresis
      Row("EBBB", "N50*52'00.00\"", "E005*15'00.00\"", "", "A"),
  });
  const std::string message = "Waypoint K\xC3\x96LN: the coordinate ERR does not read";
  for (int writer = 0; writer < 2; ++writer) {
    try {
      if (writer == 0)
        WriteXPlane11Fms(Europe(), rm, "", "2613");
      else
        WriteGpxRoute(Europe(), rm);
      ADD_FAILURE() << "no error from writer " << writer;
    } catch (const RunError& e) {
      EXPECT_EQ(e.what(), message);
    }
  }
}

// ---------------------------------------------------------------------------
// The targets: after the others, for every simulator, never changed by a
// selection.

TEST(NewTargets, FollowTheOthersAndServeEverySelection) {
  EXPECT_EQ(kTargets[kTargets.size() - 2].target, Target::kXPlane11);
  EXPECT_EQ(kTargets.back().target, Target::kGpx);
  EXPECT_EQ(TargetByCliName("xplane11"), Target::kXPlane11);
  EXPECT_EQ(TargetByCliName("gpx"), Target::kGpx);
  EXPECT_EQ(InfoOf(Target::kXPlane11).control, "XPlane11");
  EXPECT_EQ(InfoOf(Target::kXPlane11).caption, "X-Plane 11/12");
  EXPECT_EQ(InfoOf(Target::kGpx).control, "Gpx");
  EXPECT_EQ(InfoOf(Target::kGpx).caption, "GPX");
  EXPECT_EQ(WriterSlots()[WriterSlots().size() - 2].target, Target::kXPlane11);
  EXPECT_EQ(WriterSlots().back().target, Target::kGpx);

  for (const Simulator sim : {Simulator::kFs9, Simulator::kFsx, Simulator::kXPlane}) {
    for (const Target target : {Target::kXPlane11, Target::kGpx}) {
      EXPECT_TRUE(TargetAllowed(sim, target));
      EXPECT_TRUE(TargetAvailable(target, sim));
      int rows = 0;
      for (const BoxSelection& box : SelectionOf(sim).boxes) {
        if (box.control != InfoOf(target).control)
          continue;
        ++rows;
        EXPECT_EQ(box.rule, BoxRule::kEnable);
        EXPECT_EQ(box.caption, "");
      }
      EXPECT_EQ(rows, 1);
    }
  }
}

}  // namespace
}  // namespace korvanta
