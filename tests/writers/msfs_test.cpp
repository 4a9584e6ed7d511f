// The MSFS 2020 flight plan: whole files for routes and runways, and a
// reading by xmllint.

#include <gtest/gtest.h>

#include <string>

#include "test_support.hpp"
#include "writers/msfs.hpp"

namespace korvanta {
namespace {

using test::Header;

using test::Row;

// The document as MSFS reads it: byte order mark, CR LF line ends.
std::string Document(std::string_view lines) {
  std::string out = "\xEF\xBB\xBF";
  for (const char c : lines)
    out += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return out;
}

// Southern and western points, an airway run over two legs, the departure
// passed again, another airport on the way, names outside ASCII that need
// escaping, a destination below sea level.
const RouteHeader kSouth =
    Header("SBGR", "SCEL", "S\xC3\x83O PAULO", "ARTURO & <B>", 2461, -11, 35000);
const WaypointTable kSouthWaypoints = test::Table({
    Row("SBGR", "S23*26'08.00\"", "W046*28'23.00\"", "", "A"),
    Row("PCX", "S23*30'00.55\"", "W046*50'00.00\"", "UZ10", "V"),
    Row("ILKAP", "S24*00'00.5\"", "W047*59'59.99\"", "UZ10", "I"),
    Row("SBGR", "S23*26'08.00\"", "W046*28'23.00\"", "", "I"),
    Row("\xC3\x89TRA", "N00*00'00.00\"", "W000*00'00.02\"", "UM400", "N"),
    Row("SAEZ", "S34*49'20.00\"", "W058*32'09.00\"", "", "A"),
    Row("SCEL", "S33*23'35.00\"", "W070*47'09.00\"", "", "A"),
});

TEST(MsfsPlan, SouthernAndWesternRouteWithAirways) {
  EXPECT_EQ(WriteMsfsPlan(kSouth, kSouthWaypoints, "RW07"),
            Document(R"xml(<?xml version="1.0" encoding="UTF-8"?>

<SimBase.Document Type="AceXML" version="1,0">
    <Descr>AceXML Document</Descr>
    <FlightPlan.FlightPlan>
        <Title>SBGR to SCEL</Title>
        <FPType>IFR</FPType>
        <CruisingAlt>35000.000</CruisingAlt>
        <DepartureID>SBGR</DepartureID>
        <DepartureLLA>S23° 26' 8.00",W46° 28' 23.00",+002461.00</DepartureLLA>
        <DestinationID>SCEL</DestinationID>
        <DestinationLLA>S33° 23' 35.00",W70° 47' 9.00",-000011.00</DestinationLLA>
        <Descr>SBGR, SCEL</Descr>
        <DepartureName>SÃO PAULO</DepartureName>
        <DestinationName>ARTURO &amp; &lt;B&gt;</DestinationName>
        <AppVersion>
            <AppVersionMajor>11</AppVersionMajor>
            <AppVersionBuild>282174</AppVersionBuild>
        </AppVersion>
        <ATCWaypoint id="SBGR">
            <ATCWaypointType>Airport</ATCWaypointType>
            <WorldPosition>S23° 26' 8.00",W46° 28' 23.00",+002461.00</WorldPosition>
            <RunwayNumberFP>7</RunwayNumberFP>
            <ICAO>
                <ICAOIdent>SBGR</ICAOIdent>
            </ICAO>
        </ATCWaypoint>
        <ATCWaypoint id="PCX">
            <ATCWaypointType>VOR</ATCWaypointType>
            <WorldPosition>S23° 30' 0.55",W46° 50' 0.00",+035000.00</WorldPosition>
            <ICAO>
                <ICAOIdent>PCX</ICAOIdent>
            </ICAO>
        </ATCWaypoint>
        <ATCWaypoint id="ILKAP">
            <ATCWaypointType>Intersection</ATCWaypointType>
            <WorldPosition>S24° 0' 0.50",W47° 59' 59.99",+035000.00</WorldPosition>
            <ATCAirway>UZ10</ATCAirway>
            <ICAO>
                <ICAOIdent>ILKAP</ICAOIdent>
            </ICAO>
        </ATCWaypoint>
        <ATCWaypoint id="SBGR">
            <ATCWaypointType>Airport</ATCWaypointType>
            <WorldPosition>S23° 26' 8.00",W46° 28' 23.00",+035000.00</WorldPosition>
            <ATCAirway>UZ10</ATCAirway>
            <ICAO>
                <ICAOIdent>SBGR</ICAOIdent>
            </ICAO>
        </ATCWaypoint>
        <ATCWaypoint id="ÉTRA">
            <ATCWaypointType>NDB</ATCWaypointType>
            <WorldPosition>N0° 0' 0.00",W0° 0' 0.02",+035000.00</WorldPosition>
            <ICAO>
                <ICAOIdent>ÉTRA</ICAOIdent>
            </ICAO>
        </ATCWaypoint>
        <ATCWaypoint id="SAEZ">
            <ATCWaypointType>Airport</ATCWaypointType>
            <WorldPosition>S34° 49' 20.00",W58° 32' 9.00",+035000.00</WorldPosition>
            <ATCAirway>UM400</ATCAirway>
            <ICAO>
                <ICAOIdent>SAEZ</ICAOIdent>
            </ICAO>
        </ATCWaypoint>
        <ATCWaypoint id="SCEL">
            <ATCWaypointType>Airport</ATCWaypointType>
            <WorldPosition>S33° 23' 35.00",W70° 47' 9.00",-000011.00</WorldPosition>
            <ICAO>
                <ICAOIdent>SCEL</ICAOIdent>
            </ICAO>
        </ATCWaypoint>
    </FlightPlan.FlightPlan>
</SimBase.Document>
)xml"));
}

// The two airports alone; the runway lines stand where RUNWAY stands.
constexpr std::string_view kPairPlan = R"xml(<?xml version="1.0" encoding="UTF-8"?>

<SimBase.Document Type="AceXML" version="1,0">
    <Descr>AceXML Document</Descr>
    <FlightPlan.FlightPlan>
        <Title>EAAA to EBBB</Title>
        <FPType>IFR</FPType>
        <CruisingAlt>33000.000</CruisingAlt>
        <DepartureID>EAAA</DepartureID>
        <DepartureLLA>N50° 2' 0.00",E8° 34' 14.00",+000364.00</DepartureLLA>
        <DestinationID>EBBB</DestinationID>
        <DestinationLLA>N50° 52' 0.00",E5° 15' 0.00",+000050.00</DestinationLLA>
        <Descr>EAAA, EBBB</Descr>
        <DepartureName>ALPHA_INTL</DepartureName>
        <DestinationName>BETA FIELD</DestinationName>
        <AppVersion>
            <AppVersionMajor>11</AppVersionMajor>
            <AppVersionBuild>282174</AppVersionBuild>
        </AppVersion>
        <ATCWaypoint id="EAAA">
            <ATCWaypointType>Airport</ATCWaypointType>
            <WorldPosition>N50° 2' 0.00",E8° 34' 14.00",+000364.00</WorldPosition>
RUNWAY            <ICAO>
                <ICAOIdent>EAAA</ICAOIdent>
            </ICAO>
        </ATCWaypoint>
        <ATCWaypoint id="EBBB">
            <ATCWaypointType>Airport</ATCWaypointType>
            <WorldPosition>N50° 52' 0.00",E5° 15' 0.00",+000050.00</WorldPosition>
            <ICAO>
                <ICAOIdent>EBBB</ICAOIdent>
            </ICAO>
        </ATCWaypoint>
    </FlightPlan.FlightPlan>
</SimBase.Document>
)xml";

TEST(MsfsPlan, TwoAirportsWithEachRunway) {
  const RouteHeader header = Header("EAAA", "EBBB", "ALPHA_INTL", "BETA FIELD", 364, 50, 33000);
  const WaypointTable waypoints =
      test::Table({Row("EAAA", "N50*02'00.00\"", "E008*34'14.00\"", "", "A"),
                   Row("EBBB", "N50*52'00.00\"", "E005*15'00.00\"", "", "A")});
  const std::string kNumber = "            <RunwayNumberFP>";
  const std::string kSide = "            <RunwayDesignatorFP>";
  const struct {
    std::string runway;
    std::string lines;
  } cases[] = {
      {"25L", kNumber + "25</RunwayNumberFP>\n" + kSide + "LEFT</RunwayDesignatorFP>\n"},
      {"RW07", kNumber + "7</RunwayNumberFP>\n"},
      {"7", kNumber + "7</RunwayNumberFP>\n"},
      {" rw 36 c", kNumber + "36</RunwayNumberFP>\n" + kSide + "CENTER</RunwayDesignatorFP>\n"},
      {"09R", kNumber + "9</RunwayNumberFP>\n" + kSide + "RIGHT</RunwayDesignatorFP>\n"},
      {"RUNWAY", ""},
      {"37", ""},
      {"0", ""},
      {"007", ""},
      {"25X", ""},
      {"RW", ""},
      {"", ""},
  };
  for (const auto& c : cases) {
    std::string expected(kPairPlan);
    expected.replace(expected.find("RUNWAY"), 6, c.lines);
    EXPECT_EQ(WriteMsfsPlan(header, waypoints, c.runway), Document(expected)) << c.runway;
  }
}

TEST(MsfsPlan, XmllintAcceptsThePlan) {
  KORVANTA_LINUX_ONLY("xmllint is a Linux program");
  KORVANTA_REQUIRE_TOOL("xmllint", "libxml2-utils");
  const test::TempDir dir;
  test::WriteFile(dir / "plan.pln", WriteMsfsPlan(kSouth, kSouthWaypoints, "25L"));
  const std::string command = "xmllint --noout '" + (dir / "plan.pln").string() + "' > '" +
                              (dir / "out").string() + "' 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0) << test::ReadFile(dir / "out");
}

}  // namespace
}  // namespace korvanta
