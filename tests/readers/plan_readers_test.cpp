// The plan readers: plans laid out as simulators and planners write them,
// the messages of plans that give no route, and the round trips through
// Korvanta's own writers.

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "readers/gpx_reader.hpp"
#include "readers/input_kind.hpp"
#include "readers/msfs_plan_reader.hpp"
#include "readers/plan_reader.hpp"
#include "readers/route_text_parser.hpp"
#include "readers/xplane_plan_reader.hpp"
#include "route/position.hpp"
#include "test_support.hpp"
#include "text/cp1252.hpp"
#include "writers/gpx.hpp"
#include "writers/msfs.hpp"
#include "writers/six_character_id.hpp"
#include "writers/xplane.hpp"
#include "writers/xplane11.hpp"

namespace korvanta {
namespace {

const AirportDatabase& Airports() {
  static const AirportDatabase airports = [] {
    AirportDatabase db;
    LoadAirportLines(test::ReadFile(test::DataDir() / "wpNavApt.txt"), db);
    return db;
  }();
  return airports;
}

// Coordinates with "*" for the degree sign, whatever the core's encoding of it.
std::string Shown(std::string text) {
  std::string degree;
  degree += "\xC2\xB0";
  for (std::size_t at; (at = text.find(degree)) != std::string::npos;)
    text.replace(at, degree.size(), "*");
  return text;
}

// The header and every row of a route, one line each.
std::string Dump(const RouteHeader& h, const WaypointTable& waypoints, bool with_track = true) {
  std::string out = fmt::format("{} {} {} {} {} > {} {} {} {} {} FL {}\n", h.departure_icao,
                                h.departure_name, DmsLatitudeText(h.departure_position.latitude),
                                DmsLongitudeText(h.departure_position.longitude),
                                h.departure_elevation, h.destination_icao, h.destination_name,
                                DmsLatitudeText(h.destination_position.latitude),
                                DmsLongitudeText(h.destination_position.longitude),
                                h.destination_elevation, h.cruise_altitude);
  for (const Waypoint& w : waypoints) {
    // The positions as numbers, shown in the route finder's form; the texts
    // that the grid shows are the same.
    EXPECT_EQ(w.lat, DmsLatitudeText(w.position.latitude));
    EXPECT_EQ(w.lon, DmsLongitudeText(w.position.longitude));
    out += fmt::format("{}|{}|{}|{}|{}|{}", w.id, DmsLatitudeText(w.position.latitude),
                       DmsLongitudeText(w.position.longitude), w.alt, w.route, KindLetter(w.kind));
    out += with_track ? fmt::format("|{}|{}\n", w.freq, w.track) : "\n";
  }
  return Shown(out);
}

std::string Dump(const PlanReadResult& result, bool with_track = true) {
  if (const auto* error = std::get_if<PlanReadError>(&result))
    return "error: " + error->message;
  const PlanRoute& route = std::get<PlanRoute>(result);
  std::string out = Dump(route.header, route.waypoints, with_track) + "runway " + route.runway;
  for (const std::string& note : route.notes)
    out += "\nnote: " + note;
  return out;
}

struct PlanCase {
  const char* what;
  InputKind kind;
  std::string file;
  std::string route;  // Dump() of what is read
};

TEST(PlanReaders, PlansAsOthersWriteThem) {
  const PlanCase cases[] = {
      {"X-Plane 11, procedures, a lat/lon point", InputKind::kFms,
       "I\r\n1100 Version\r\nCYCLE 2301\r\nADEP KSEA\r\nDEPRWY RW16L\r\nSID MONTN2\r\n"
       "SIDTRANS SEA\r\nADES KPDX\r\nDESRWY RW10R\r\nSTAR HHOOD4\r\nAPP I10R\r\nAPPTRANS\r\n"
       "NUMENR 5\r\n1 KSEA ADEP 432.000000 47.449000 -122.309306\r\n"
       "3 SEA DRCT 0.000000 47.435278 -122.309722\r\n"
       "11 MOXEE J1 11000.000000 46.563017 -120.416939\r\n"
       "28 +46.500_-121.000 DRCT 11000.000000 46.500000 -121.000000\r\n"
       "1 KPDX ADES 30.000000 45.588722 -122.597500\r\n",
       "KSEA KSEA N47*26'56.40\" W122*18'33.50\" 432 > KPDX KPDX N45*35'19.40\" W122*35'51.00\" 30 "
       "FL 11000\n"
       "KSEA|N47*26'56.40\"|W122*18'33.50\"|432||A|0|0\n"
       "SEA|N47*26'07.00\"|W122*18'35.00\"|0|J1|V|0|181\n"
       "MOXEE|N46*33'46.86\"|W120*25'00.98\"|0||I|0|123\n"
       "4630N12100W|N46*30'00.00\"|W121*00'00.00\"|0||I|0|261\n"
       "KPDX|N45*35'19.40\"|W122*35'51.00\"|30||A|0|231\n"
       "runway 16L"},
      {"X-Plane 12, DEP/DES ends", InputKind::kFms,
       "I\n1100 Version\nCYCLE 2402\nDEP ABCDE\nDES FGHIJ\nNUMENR 3\n"
       "11 ABCDE DEP 0 50.000000 8.000000\n28 N50E009 UN869 35000 50.5 9\n"
       "11 FGHIJ DES 0 51.000000 10.000000\n",
       "ABCDE ABCDE N50*00'00.00\" E008*00'00.00\" 0 > FGHIJ FGHIJ N51*00'00.00\" E010*00'00.00\" "
       "0 FL 35000\n"
       "ABCDE|N50*00'00.00\"|E008*00'00.00\"|0|UN869|A|0|0\n"
       "5030N00900E|N50*30'00.00\"|E009*00'00.00\"|0||I|0|52\n"
       "FGHIJ|N51*00'00.00\"|E010*00'00.00\"|0||A|0|51\n"
       "runway "},
      {"X-Plane 9, version 3 with its end row", InputKind::kFms,
       "A\n3 version\n1\n3\n1 EGLL 83 51.477500 -0.461389\n2 BIG 0 51.330 0.035\n"
       "3 DVR 0 51.162 1.359\n1 EBBB 0 50.901389 4.484444\n0 ---- 0 0.000000 0.000000\n",
       "EGLL GAMMA N51*28'39.00\" W000*27'41.00\" 83 > EBBB BETA FIELD N50*54'05.00\" "
       "E004*29'04.00\" 50 FL 30000\n"
       "EGLL|N51*28'39.00\"|W000*27'41.00\"|83||A|0|0\n"
       "BIG|N51*19'48.00\"|E000*02'06.00\"|0||N|0|115\n"
       "DVR|N51*09'43.20\"|E001*21'32.40\"|0||V|0|101\n"
       "EBBB|N50*54'05.00\"|E004*29'04.00\"|50||A|0|96\n"
       "runway "},
      {"MSFS 2020, pseudo-waypoints, a runway, airways", InputKind::kPln,
       "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
       R"(<SimBase.Document Type="AceXML" version="1,0">
    <Descr>AceXML Document</Descr>
    <FlightPlan.FlightPlan>
        <Title>EDDF to EGLL</Title>
        <FPType>IFR</FPType>
        <RouteType>HighAlt</RouteType>
        <CruisingAlt>36000</CruisingAlt>
        <DepartureID>EDDF</DepartureID>
        <DepartureLLA>N50° 2' 0.00",E8° 34' 14.00",+000364.00</DepartureLLA>
        <DestinationID>EGLL</DestinationID>
        <DestinationLLA>N51° 28' 39.00",W0° 27' 41.00",+000083.00</DestinationLLA>
        <DepartureName>Frankfurt/Main</DepartureName>
        <DestinationName>London Heathrow</DestinationName>
        <ATCWaypoint id="EDDF">
            <ATCWaypointType>Airport</ATCWaypointType>
            <WorldPosition>N50° 2' 0.00",E8° 34' 14.00",+000364.00</WorldPosition>
            <RunwayNumberFP>25</RunwayNumberFP>
            <RunwayDesignatorFP>CENTER</RunwayDesignatorFP>
            <ICAO><ICAOIdent>EDDF</ICAOIdent></ICAO>
        </ATCWaypoint>
        <ATCWaypoint id="TIMECLIMB">
            <ATCWaypointType>User</ATCWaypointType>
            <WorldPosition>N50° 10' 0.00",E7° 50' 0.00",+036000.00</WorldPosition>
        </ATCWaypoint>
        <ATCWaypoint id="TOBAK">
            <ATCWaypointType>Intersection</ATCWaypointType>
            <WorldPosition>N50° 20' 0.00",E7° 10' 0.00",+036000.00</WorldPosition>
            <ICAO><ICAORegion>ED</ICAORegion><ICAOIdent>TOBAK</ICAOIdent></ICAO>
        </ATCWaypoint>
        <ATCWaypoint id="KOK">
            <ATCWaypointType>VOR</ATCWaypointType>
            <WorldPosition>N51° 5' 40.00",E2° 39' 10.00",+036000.00</WorldPosition>
            <ATCAirway>UL607</ATCAirway>
            <ICAO><ICAORegion>EB</ICAORegion><ICAOIdent>KOK</ICAOIdent></ICAO>
        </ATCWaypoint>
        <ATCWaypoint id="TIMEDSCNT">
            <ATCWaypointType>User</ATCWaypointType>
            <WorldPosition>N51° 10' 0.00",E1° 0' 0.00",+036000.00</WorldPosition>
        </ATCWaypoint>
        <ATCWaypoint id="EGLL">
            <ATCWaypointType>Airport</ATCWaypointType>
            <WorldPosition>N51° 28' 39.00",W0° 27' 41.00",+000083.00</WorldPosition>
            <ATCAirway>DCT</ATCAirway>
            <ICAO><ICAOIdent>EGLL</ICAOIdent></ICAO>
        </ATCWaypoint>
    </FlightPlan.FlightPlan>
</SimBase.Document>
)",
       "EDDF Frankfurt/Main N50*02'00.00\" E008*34'14.00\" 364 > EGLL London Heathrow "
       "N51*28'39.00\" W000*27'41.00\" 83 FL 36000\n"
       "EDDF|N50*02'00.00\"|E008*34'14.00\"|364||A|0|0\n"
       "TOBAK|N50*20'00.00\"|E007*10'00.00\"|0|UL607|I|0|289\n"
       "KOK|N51*05'40.00\"|E002*39'10.00\"|0||V|0|287\n"
       "EGLL|N51*28'39.00\"|W000*27'41.00\"|83||A|0|282\n"
       "runway 25C"},
      {"MSFS 2024, airports left out of the list", InputKind::kPln,
       R"(<?xml version="1.0" encoding="UTF-8"?>
<SimBase.Document Type="AceXML" version="1,0">
  <FlightPlan.FlightPlan>
    <DepartureID>EAAA</DepartureID>
    <DepartureLLA>N50°2'0.00",E8°34'14.00"</DepartureLLA>
    <DestinationID>EBBB</DestinationID>
    <DestinationLLA>N50° 52' 0.00" , E5° 15' 0.00" , 50</DestinationLLA>
    <ATCWaypoint id="WP1">
      <ATCWaypointType>User</ATCWaypointType>
      <WorldPosition>N50° 20' 0.005",E7° 10' 0.004",+30000.5</WorldPosition>
      <ATCAirway>Q44</ATCAirway>
    </ATCWaypoint>
    <ATCWaypoint id="RUDOL">
      <ATCWaypointType>NDB</ATCWaypointType>
      <WorldPosition>N050° 40' 00.00",E006° 00' 00.00",31000</WorldPosition>
      <ATCAirway>UL602</ATCAirway>
    </ATCWaypoint>
  </FlightPlan.FlightPlan>
</SimBase.Document>
)",
       "EAAA ALPHA INTL N50*02'00.00\" E008*34'14.00\" 364 > EBBB BETA FIELD N50*52'00.00\" "
       "E005*15'00.00\" 50 FL 31000\n"
       "EAAA|N50*02'00.00\"|E008*34'14.00\"|364|Q44|A|0|0\n"
       "WP1|N50*20'00.01\"|E007*10'00.00\"|0|UL602|I|0|289\n"
       "RUDOL|N50*40'00.00\"|E006*00'00.00\"|0||N|0|295\n"
       "EBBB|N50*52'00.00\"|E005*15'00.00\"|50||A|0|293\n"
       "runway "},
      {"FS2004, Windows-1252, waypoints out of order, no [FSC]", InputKind::kPln,
       "[flightplan]\r\ntitle=LSZH to LFSB\r\nCRUISING_ALTITUDE=24000\r\n"
       "departure_position=16\r\ndeparture_name=Z\xFCrich\r\ndestination_name=\r\n"
       "waypoint.0=LS, LSZH, , LSZH, A, N47* 27.48', E8* 32.88', +001416.00,\r\n"
       "waypoint.2=, LFSB, , LFSB, A, N47* 35.97', E7* 31.75', +000885.00\r\n"
       "waypoint.1=LS, TRA, , TRA, V, N47* 41.35', E8* 26.18', +024000.00, UN850\r\n"
       "[other]\r\nwaypoint.3=, X, , X, I, N1* 0.00', E1* 0.00', +000000.00\r\n"
       "[flightplan]\r\ndeparture_position=PARKING 1\r\n",
       "LSZH Z\xC3\xBCrich N47*27'28.80\" E008*32'52.80\" 1416 > LFSB LFSB N47*35'58.20\" "
       "E007*31'45.00\" 885 FL 24000\n"
       "LSZH|N47*27'28.80\"|E008*32'52.80\"|1416||A|0|0\n"
       "TRA|N47*41'21.00\"|E008*26'10.80\"|0|UN850|V|0|342\n"
       "LFSB|N47*35'58.20\"|E007*31'45.00\"|885||A|0|262\n"
       "runway 16"},
      {"GPX route of a planner, whose descriptions are neither airways nor names", InputKind::kGpx,
       R"(<?xml version="1.0" encoding="UTF-8" standalone="no"?>
<gpx xmlns="http://www.topografix.com/GPX/1/1" version="1.1" creator="planner">
  <metadata><name>EAAA to EBBB</name></metadata>
  <rte><name>one point</name><rtept lat="1" lon="1"><name>X</name></rtept></rte>
  <rte>
    <name>EAAA EBBB</name>
    <rtept lat="50.033333" lon="8.570556"><ele>111.0</ele><name>EAAA</name><desc>Alpha Intl</desc><type>Airport</type></rtept>
    <rtept lat="0.0000125" lon="-0.0000125"><ele>10668</ele><name>ZERO</name><desc>Turn left</desc><type>VOR</type></rtept>
    <rtept lat="-0.0000125" lon="0.0000125"><ele>9144</ele><name>NEAR</name><desc>N869</desc><type>Intersection</type></rtept>
    <rtept lat="50.866667" lon="5.25"><ele>-0.1524</ele><name>EBBB</name><type>Airport</type></rtept>
  </rte>
</gpx>
)",
       "EAAA ALPHA INTL N50*02'00.00\" E008*34'14.00\" 364 > EBBB BETA FIELD N50*52'00.00\" "
       "E005*15'00.00\" -1 FL 35000\n"
       "EAAA|N50*02'00.00\"|E008*34'14.00\"|364||A|0|0\n"
       "ZERO|N00*00'00.05\"|W000*00'00.05\"|0||V|0|191\n"
       "NEAR|S00*00'00.05\"|E000*00'00.05\"|0||I|0|135\n"
       "EBBB|N50*52'00.00\"|E005*15'00.00\"|-1||A|0|4\n"
       "runway "},
      // A coordinate that rounds to zero has no side: north and east.
      {"GPX near zero", InputKind::kGpx,
       R"(<gpx version="1.1"><wpt lat="0" lon="-0.000001"><name>A</name></wpt>)"
       R"(<wpt lat="-0.000001" lon="0"><name>B</name></wpt></gpx>)",
       "A A N00*00'00.00\" E000*00'00.00\" 0 > B B N00*00'00.00\" E000*00'00.00\" 0 FL 30000\n"
       "A|N00*00'00.00\"|E000*00'00.00\"|0||A|0|0\n"
       "B|N00*00'00.00\"|E000*00'00.00\"|0||A|0|0\n"
       "runway "},
      {"GPX of waypoints only", InputKind::kGpx,
       R"(<gpx version="1.1" creator="other">
<wpt lat="51.4775" lon="-0.461389"><name>EGLL</name></wpt>
<wpt lat="51.330000" lon="0.035000"><name>BIGGIN</name><sym>Waypoint</sym></wpt>
<wpt lat="50.901389" lon="4.484444"><ele>0.1524</ele><name>EBBB</name></wpt>
</gpx>
)",
       "EGLL GAMMA N51*28'39.00\" W000*27'41.00\" 83 > EBBB BETA FIELD N50*54'05.00\" "
       "E004*29'04.00\" 1 FL 30000\n"
       "EGLL|N51*28'39.00\"|W000*27'41.00\"|83||A|0|0\n"
       "BIGGIN|N51*19'48.00\"|E000*02'06.00\"|0||I|0|115\n"
       "EBBB|N50*54'05.00\"|E004*29'04.00\"|1||A|0|97\n"
       "runway "},
      {"Korvanta's GPX with a prefix on every element", InputKind::kGpx,
       R"(<gpx:gpx xmlns:gpx="http://www.topografix.com/GPX/1/1" creator="Korvanta"><gpx:rte>
<gpx:rtept lat="50" lon="8"><gpx:name>EAAA</gpx:name><gpx:type>Airport</gpx:type></gpx:rtept>
<gpx:rtept lat="50.5" lon="6"><gpx:name>KOMAR</gpx:name><gpx:desc>UL602</gpx:desc></gpx:rtept>
<gpx:rtept lat="51" lon="5"><gpx:name>EBBB</gpx:name></gpx:rtept></gpx:rte></gpx:gpx>)",
       "EAAA ALPHA INTL N50*00'00.00\" E008*00'00.00\" 364 > EBBB BETA FIELD N51*00'00.00\" "
       "E005*00'00.00\" 50 FL 30000\n"
       "EAAA|N50*00'00.00\"|E008*00'00.00\"|364||A|0|0\n"
       "KOMAR|N50*30'00.00\"|E006*00'00.00\"|0|UL602|I|0|292\n"
       "EBBB|N51*00'00.00\"|E005*00'00.00\"|50||A|0|309\n"
       "runway "},
  };
  for (const PlanCase& c : cases) {
    EXPECT_EQ(DetectInputKind(c.file), c.kind) << c.what;
    EXPECT_EQ(Dump(ReadPlan(c.kind, c.file, Airports())), c.route) << c.what;
  }
}

TEST(PlanReaders, PlansThatGiveNoRoute) {
  const std::string fms = "I\n1100 Version\nNUMENR 3\n";
  const std::string pln = "<SimBase.Document><FlightPlan.FlightPlan>";
  const std::string gpx = "<gpx version=\"1.1\">";
  std::string long_fms = "I\n3 version\n1\n10001\n";
  std::string long_gpx = gpx;
  for (int point = 0; point <= 10000; ++point) {
    long_fms += "11 P 0 50.0 8.0\n";
    long_gpx += "<wpt lat=\"1\" lon=\"2\"><name>P</name></wpt>";
  }
  const std::string too_long =
      "error: The plan holds more than 10000 points: no route is that long";
  const std::string fs9 =
      "[flightplan]\r\nwaypoint.0=, A, , A, A, N50* 0.00', E8* 0.00', +000000.00, \r\n";
  const std::string read_kinds =
      "a route finder's text, an FSX, Prepar3D, MSFS or FS2004 flight plan, an X-Plane plan, a "
      "GPX file or a route string";
  const PlanCase cases[] = {
      {"more points than a route has", InputKind::kFms, long_fms, too_long},
      {"more points than a route has", InputKind::kGpx, long_gpx + "</gpx>", too_long},
      {"XML cut short", InputKind::kPln, pln + "<ATCWaypoint>",
       "error: Not a readable flight plan: the element <ATCWaypoint> is not closed (line 1)"},
      {"one point", InputKind::kGpx, gpx + R"(<wpt lat="1" lon="2"><name>A</name></wpt></gpx>)",
       "error: The plan holds fewer than two points"},
      {"no position for an airport left out", InputKind::kPln,
       pln + "<DestinationID>EDDF</DestinationID><ATCWaypoint id=\"A\"><WorldPosition>N1° 0' "
             "0\",E1° 0' 0\"</WorldPosition></ATCWaypoint></FlightPlan.FlightPlan>"
             "</SimBase.Document>",
       "error: The plan gives no position for EDDF, and the airport list does not place it"},
      {"no position for a listed airport", InputKind::kPln,
       pln + "<ATCWaypoint id=\"EAAA\"><ATCWaypointType>Airport</ATCWaypointType></ATCWaypoint>"
             "</FlightPlan.FlightPlan></SimBase.Document>",
       "error: The plan gives no position for EAAA, and the airport list does not place it"},
      {"no position for a fix, and no navigation data", InputKind::kPln,
       pln + "<DestinationID>EDDF</DestinationID><DestinationLLA>N1° 0' 0\",E1° 0' 0\""
             "</DestinationLLA><ATCWaypoint id=\"JOT\"><ATCWaypointType>VOR</ATCWaypointType>"
             "<ICAO><ICAOIdent>JOT</ICAOIdent></ICAO></ATCWaypoint></FlightPlan.FlightPlan>"
             "</SimBase.Document>",
       "error: The plan gives no position for JOT, and there is no navigation data to place it"},
      {"no route in the GPX file", InputKind::kGpx, gpx + "<rte><name>x</name></rte></gpx>",
       "error: The GPX file holds no route"},
      {"a row cut short", InputKind::kFms, fms + "1 EAAA ADEP 0 50\n",
       "error: Not a readable flight plan: a point line does not read (line 4)"},
      // A name with a blank would shift the position into the wrong columns.
      {"a row of more fields", InputKind::kFms,
       fms + "1 Hwy 11 ADEP 0.000000 39.973869 -105.4658\n",
       "error: Not a readable flight plan: a point line holds 7 fields where the format has 6 "
       "(line 4)"},
      {"a version 3 row of more fields", InputKind::kFms,
       "A\n3 version\n1\n3\n1 EGLL 0 51.4775 -0.461389\n11 Lac d Annecy 0 45.86 6.17\n",
       "error: Not a readable flight plan: a point line holds 7 fields where the format has 5 "
       "(line 6)"},
      {"a latitude out of range", InputKind::kGpx,
       gpx + R"(<wpt lat="90.00001" lon="8"><name>NORTH</name></wpt><wpt lat="1" lon="2">)"
             "<name>B</name></wpt></gpx>",
       "error: Waypoint NORTH: the position 90.00001 8 is out of range"},
      {"60 minutes in a plan's position", InputKind::kPln,
       pln + "<ATCWaypoint id=\"A\"><WorldPosition>N50\xC2\xB0 60' 0.00\",E1\xC2\xB0 0' "
             "0\"</WorldPosition></ATCWaypoint><ATCWaypoint id=\"B\"><WorldPosition>N1\xC2\xB0 0' "
             "0\",E1\xC2\xB0 0' 0\"</WorldPosition></ATCWaypoint></FlightPlan.FlightPlan>"
             "</SimBase.Document>",
       "error: Waypoint A: the position N50\xC2\xB0 60' 0.00\",E1\xC2\xB0 0' 0\" does not read"},
      {"a position that does not read", InputKind::kFms,
       fms + "1 EAAA ADEP 0 50 8\n11 BAD DRCT 0 5O 8\n1 EBBB ADES 0 51 9\n",
       "error: Waypoint BAD: the position 5O 8 does not read"},
      {"a name not valid UTF-8", InputKind::kGpx,
       gpx + "\n<wpt lat=\"1\" lon=\"2\"><name>A\xFF"
             "B</name></wpt></gpx>",
       "error: Not a readable flight plan: the text is not valid UTF-8 (line 2)"},
      {"a comma in an FS2004 plan's name", InputKind::kPln,
       fs9 + "waypoint.1=, Horka,NOL, , Horka, I, N50* 0.00', E8* 0.00', +000000.00, \r\n",
       "error: Not a readable flight plan: a waypoint line does not read (line 3)"},
      {"60 minutes in an FS2004 plan", InputKind::kPln,
       fs9 + "waypoint.1=, B, , B, I, N50* 60.00', E8* 0.00', +000000.00, \r\n",
       "error: Waypoint B: the position N50* 60.00', E8* 0.00' does not read"},
      {"an FS2004 waypoint numbered twice", InputKind::kPln,
       fs9 + "waypoint.0=, B, , B, I, N50* 0.00', E8* 0.00', +000000.00, \r\n",
       "error: Not a readable flight plan: a second waypoint.0 (line 3)"},
      {"no [flightplan] section", InputKind::kPln, "[FSC]\r\nDepartAPCode=EAAA\r\n",
       "error: Not a readable flight plan: an FS2004 plan has a \"[flightplan]\" section"},
      {"an XML plan of another kind", InputKind::kUnreadKind,
       "<?xml version=\"1.0\"?>\n<FlightPlan "
       "xmlns=\"http://www8.garmin.com/xmlschemas/FlightPlan/v1\">",
       "error: Wrong format: an XML document with root <FlightPlan>, which Korvanta does not read; "
       "it reads " +
           read_kinds},
      {"an X-Plane plan of another version", InputKind::kUnreadKind, "I\n1000 Version\n",
       "error: Wrong format: an X-Plane plan of version 1000, which Korvanta does not read; it "
       "reads " +
           read_kinds},
      {"route-finder text", InputKind::kText, "Cruise altitude", "error: Wrong format"},
  };
  for (const PlanCase& c : cases)
    EXPECT_EQ(Dump(ReadPlan(c.kind, c.file, Airports())), c.route) << c.what;
}

// Plans laid out as simulators, planners and mission generators write them.
TEST(PlanReaders, PlanFilesOfOtherPrograms) {
  const std::pair<const char*, std::string> cases[] = {
      {"simbrief_msfs2020.pln",
       "EDDF FRANKFURT/MAIN N50*02'00.00\" E008*34'14.00\" 364 > EGLL LONDON HEATHROW "
       "N51*28'39.00\" W000*27'41.00\" 83 FL 36000\n"
       "EDDF|N50*02'00.00\"|E008*34'14.00\"|364||A\n"
       "ROBEM|N50*29'07.00\"|E006*46'51.00\"|0|UL607|I\n"
       "NTM|N50*38'03.40\"|E006*17'44.30\"|0|UL607|V\n"
       "KOK|N51*05'40.00\"|E002*39'10.00\"|0|UL9|V\n"
       "KONAN|N51*19'50.00\"|E002*00'00.00\"|0||I\n"
       "EGLL|N51*28'39.00\"|W000*27'41.00\"|83||A\n"
       "runway 25C"},
      {"littlenavmap_fsx.pln",
       "LOWI Innsbruck N47*15'37.14\" E011*20'37.32\" 1906 > LSZH Z\xC3\xBCrich N47*27'28.80\" "
       "E008*32'57.00\" 1416 FL 11000\n"
       "LOWI|N47*15'37.14\"|E011*20'37.32\"|1906||A\n"
       "RTT|N47*25'51.24\"|E011*56'30.12\"|0|Y101|V\n"
       "KPT|N47*44'52.80\"|E010*21'00.60\"|0||V\n"
       "WALEN|N47*07'12.00\"|E009*12'36.00\"|0||I\n"
       "TRA|N47*41'20.28\"|E008*26'14.28\"|0||V\n"
       "LSZH|N47*27'28.80\"|E008*32'57.00\"|1416||A\n"
       "runway "},
      {"signed_decimal_positions.pln",
       "CYPR Prince Rupert N54*17'09.00\" W130*26'40.84\" 116 > CYXT Terrace N54*28'07.00\" "
       "W128*34'34.00\" 713 FL 6500\n"
       "CYPR|N54*17'09.00\"|W130*26'40.84\"|116|V317|A\n"
       "PORTE|N54*18'45.00\"|W129*57'00.00\"|0||I\n"
       "SKEEN|N54*25'13.00\"|W129*08'00.00\"|0||I\n"
       "CYXT|N54*28'07.00\"|W128*34'34.00\"|713||A\n"
       "runway "},
      {"xplane9_v3_altitudes.fms",
       "LOWI LOWI N47*15'37.14\" E011*20'37.32\" 1906 > LSZH LSZH N47*27'28.80\" E008*32'57.00\" 0 "
       "FL 9500\n"
       "LOWI|N47*15'37.14\"|E011*20'37.32\"|1906||A\n"
       "RTT|N47*25'53.64\"|E011*56'30.12\"|0||V\n"
       "KPT|N47*44'52.80\"|E010*21'00.60\"|0||V\n"
       "WALEN|N47*07'12.00\"|E009*12'36.00\"|0||I\n"
       "TRA|N47*41'20.28\"|E008*26'14.28\"|0||V\n"
       "LSZH|N47*27'28.80\"|E008*32'57.00\"|0||A\n"
       "runway "},
      {"mission_xplane11_numenr.fms",
       "PHNL PHNL N21*19'07.25\" W157*55'20.74\" 13 > PHOG PHOG N20*53'55.00\" W156*25'50.00\" 54 "
       "FL 8500\n"
       "PHNL|N21*19'07.25\"|W157*55'20.74\"|13||A\n"
       "KEOLA|N21*16'12.00\"|W157*42'00.00\"|0||I\n"
       "CKH|N21*15'56.00\"|W157*42'13.00\"|0||V\n"
       "MAPPS|N21*09'00.00\"|W157*24'00.00\"|0||I\n"
       "BAMBO|N21*03'00.00\"|W157*06'00.00\"|0||I\n"
       "MKK|N21*08'16.00\"|W157*10'02.00\"|0||V\n"
       "LNY|N20*47'06.00\"|W156*57'06.00\"|0||V\n"
       "KAHUL|N20*51'00.00\"|W156*36'00.00\"|0||I\n"
       "PHOG|N20*53'55.00\"|W156*25'50.00\"|54||A\n"
       "runway 08R\n"
       "note: The plan counts 11 en-route points but lists 9; the 9 listed were read"},
  };
  for (const auto& [file, route] : cases) {
    const std::string bytes = test::ReadFile(test::DataDir() / "plans" / file);
    EXPECT_EQ(Dump(ReadPlan(DetectInputKind(bytes), bytes, Airports()), false), route) << file;
  }
}

// An MSFS 2024 plan leaves the airports' positions to the airport list.
TEST(PlanReaders, Msfs2024AirportsFromTheList) {
  AirportDatabase airports;
  LoadAirportLines(test::ReadFile(test::DataDir() / "plans/msfs2024_airports.txt"), airports);
  const std::string bytes = test::ReadFile(test::DataDir() / "plans/msfs2024_no_positions.pln");
  EXPECT_EQ(Dump(ReadPlan(InputKind::kPln, bytes, airports), false),
            "LSGG GENEVA N46*14'20.40\" E006*06'43.20\" 1411 > LSZH ZURICH N47*28'12.00\" "
            "E008*33'00.00\" 1416 FL 15000\n"
            "LSGG|N46*14'20.40\"|E006*06'43.20\"|1411||A\n"
            "DIPIR|N46*30'43.00\"|E006*51'27.00\"|0|UN871|I\n"
            "WIL|N47*10'42.00\"|E007*41'28.00\"|0|UN871|V\n"
            "HOC|N47*28'08.00\"|E007*40'00.00\"|0||V\n"
            "LSZH|N47*28'12.00\"|E008*33'00.00\"|1416||A\n"
            "runway 22");
}

// The positions planners write into WorldPosition and the airports' values.
TEST(PlanReaders, PlanPositionForms) {
  const std::pair<std::string, std::string> cases[] = {
      {"N47\xC2\xB0 27' 28.80\",E8\xC2\xB0 32' 57.00\"", "N47*27'28.80\" E008*32'57.00\""},
      {"S47* 27' 28.8\",W122*18'57\",+000100.00", "S47*27'28.80\" W122*18'57.00\""},
      {"N47* 27.48',E8* 32.95'", "N47*27'28.80\" E008*32'57.00\""},
      {"N47 * 27 ',W0*0.0001'", "N47*27'00.00\" W000*00'00.01\""},
      {"54.285833 , -130.444678,+116.0", "N54*17'09.00\" W130*26'40.84\""},
      {"-0.5,+0.5", "S00*30'00.00\" E000*30'00.00\""},
      {"N47* 60.0',E8* 0'", "error: Waypoint A: the position N47* 60.0',E8* 0' does not read"},
      {"N47* 27.4' 1\",E8* 0'",
       "error: Waypoint A: the position N47* 27.4' 1\",E8* 0' does not read"},
      {"N47* -27.4',E8* 0'", "error: Waypoint A: the position N47* -27.4',E8* 0' does not read"},
      {"N47 27.4',E8* 0'", "error: Waypoint A: the position N47 27.4',E8* 0' does not read"},
      {"91.0,0", "error: Waypoint A: the position 91.0,0 is out of range"},
  };
  for (const auto& [position, shown] : cases) {
    const std::string plan =
        "<SimBase.Document><FlightPlan.FlightPlan><ATCWaypoint id=\"A\"><WorldPosition>" +
        position +
        "</WorldPosition></ATCWaypoint><ATCWaypoint id=\"B\"><WorldPosition>1,1</WorldPosition>"
        "</ATCWaypoint></FlightPlan.FlightPlan></SimBase.Document>";
    const PlanReadResult result = ReadMsfsPlan(plan, Airports());
    const auto* route = std::get_if<PlanRoute>(&result);
    EXPECT_EQ(route == nullptr
                  ? Dump(result)
                  : Shown(DmsLatitudeText(route->waypoints[0].position.latitude) + " " +
                          DmsLongitudeText(route->waypoints[0].position.longitude)),
              shown)
        << position;
  }
}

TEST(PlanReaders, KindByContent) {
  const std::pair<std::string, InputKind> cases[] = {
      {"\xEF\xBB\xBF \r\n<?xml version=\"1.0\"?>\n<!-- plan -->\n"
       "<!DOCTYPE x [<!ENTITY a \"<gpx>\">]><SimBase.Document>",
       InputKind::kPln},
      // The DOCTYPE ends where the XML reader ends it, "]>" in quotes and
      // comments of its subset included.
      {"<!DOCTYPE x [<!ENTITY a \"]>\">]><SimBase.Document>", InputKind::kPln},
      {"<!DOCTYPE x [<!-- ]> --><!ENTITY a 'x'>]>\n<gpx>", InputKind::kGpx},
      {"<!DOCTYPE x [<!ENTITY a \"]>\"><gpx>", InputKind::kText},
      {std::string("\xFF\xFE<\0g\0p\0x\0>\0", 12), InputKind::kGpx},
      {"<gpx:gpx xmlns:gpx=\"http://www.topografix.com/GPX/1/1\">", InputKind::kGpx},
      {"<?xml version=\"1.0\"?><kml><gpx/></kml>", InputKind::kUnreadKind},
      {"\xEF\xBB\xBF\r\n [FlightPlan] \r\ntitle=x", InputKind::kPln},
      {"[flightplans]\r\n", InputKind::kText},
      {"I\n12 version\n", InputKind::kUnreadKind},
      {"\n  I \r\n1100   VERSION\r\n", InputKind::kFms},
      {"A\n3 version", InputKind::kFms},
      {"I\n1100 Versions\n", InputKind::kText},
      {"I\n\n3 version\n", InputKind::kText},
      {test::ReadFile(test::DataDir() / "example_route.txt"), InputKind::kText},
  };
  for (const auto& [bytes, kind] : cases)
    EXPECT_EQ(DetectInputKind(bytes), kind) << bytes;
  for (const InputKind kind : {InputKind::kText, InputKind::kPln, InputKind::kFms, InputKind::kGpx})
    EXPECT_EQ(InputKindFromName(InputKindName(kind)), kind);
  EXPECT_EQ(InputKindFromName("PLN"), std::nullopt);
  EXPECT_EQ(InputKindFromName(""), std::nullopt);
}

// Korvanta's own files read back: every writer gives the same bytes again,
// and the route read is the text's route (but for the track and frequency
// columns, which no plan holds).
struct OwnFormat {
  const char* name;
  std::function<std::string(const RouteHeader&, const WaypointTable&, const std::string&)> write;
  PlanReadResult (*read)(std::string_view, const AirportDatabase&);
  bool same_route;  // whether the file holds positions, airways and altitudes exactly
  bool names;       // whether the file holds the airports' names
};

TEST(PlanReaders, OwnFilesRoundTrip) {
  const OwnFormat formats[] = {
      {"X-Plane 11/12",
       [](const RouteHeader& h, const WaypointTable& w, const std::string& runway) {
         return WriteXPlane11Fms(h, w, runway, "2301");
       },
       ReadXPlanePlan, true, false},
      {"X-Plane version 3",
       [](const RouteHeader& h, const WaypointTable& w, const std::string&) {
         return WriteXPlaneFms(h, w);
       },
       ReadXPlanePlan, false, false},
      {"GPX",
       [](const RouteHeader& h, const WaypointTable& w, const std::string&) {
         return WriteGpxRoute(h, w);
       },
       ReadGpxRoute, true, true},
      {"MSFS", WriteMsfsPlan, ReadMsfsPlan, true, true},
  };
  for (const char* file :
       {"example_route.txt", "nav_route.txt", "route_south_west.txt", "nat_route.txt"}) {
    std::vector<std::string> lines =
        SplitLines(InputToUtf8(test::ReadFile(test::DataDir() / file)));
    RouteHeader header;
    WaypointTable waypoints;
    ASSERT_EQ(ParseRoute(lines, {}, Airports(), waypoints, header), ParseResult::kParsed);
    for (const OwnFormat& format : formats) {
      const std::string written = format.write(header, waypoints, "25L");
      const PlanReadResult result = format.read(written, Airports());
      ASSERT_TRUE(std::holds_alternative<PlanRoute>(result)) << file << " " << format.name;
      const PlanRoute& read = std::get<PlanRoute>(result);
      EXPECT_EQ(format.write(read.header, read.waypoints, read.runway), written)
          << file << " " << format.name;
      if (!format.same_route)
        continue;
      RouteHeader expected = header;
      if (!format.names) {
        // The airports take their names from the airport list, else their codes.
        const auto listed = [](const std::string& icao) {
          const std::string name = Airports().Name(icao);
          return name.empty() ? icao : name;
        };
        expected.departure_name = listed(header.departure_icao);
        expected.destination_name = listed(header.destination_icao);
      }
      EXPECT_EQ(Dump(read.header, read.waypoints, false), Dump(expected, waypoints, false))
          << file << " " << format.name;
    }
  }
}

// Korvanta's FS2004 plans hold positions to 0.01': every bundled one reads
// back to its route's points, each coordinate within half of that.
TEST(PlanReaders, BundledFs2004PlansReadBack) {
  const std::map<std::string, std::pair<const char*, const char*>> route_of_tree = {
      {"example_fs9", {"example_route.txt", "25L"}},
      {"nav_route_fs9_super80", {"nav_route.txt", ""}},
      {"south_west_fsx", {"route_south_west.txt", "16R"}},
      {"example_xplane", {"example_route.txt", "07"}},
      {"nat_route_fs9", {"nat_route.txt", "27L"}},
  };
  constexpr std::int32_t kHalfHundredthMinute = kHundredthsPerMinute / 200;
  const std::filesystem::path expected = test::DataDir() / "expected";
  int plans = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(expected)) {
    const std::string bytes = entry.is_regular_file() ? test::ReadFile(entry.path()) : "";
    if (entry.path().extension() != ".pln" || !bytes.starts_with("[flightplan]"))
      continue;
    ++plans;
    const std::string tree = entry.path().lexically_relative(expected).begin()->string();
    const auto& [route_file, runway] = route_of_tree.at(tree);
    const std::string what = entry.path().string();
    RouteHeader header;
    WaypointTable waypoints;
    ASSERT_EQ(ParseRoute(SplitLines(InputToUtf8(test::ReadFile(test::DataDir() / route_file))), {},
                         Airports(), waypoints, header),
              ParseResult::kParsed);
    const PlanReadResult result = ReadPlan(DetectInputKind(bytes), bytes, Airports());
    ASSERT_TRUE(std::holds_alternative<PlanRoute>(result)) << Dump(result) << what;
    const PlanRoute& read = std::get<PlanRoute>(result);
    EXPECT_EQ(read.runway, runway) << what;
    EXPECT_EQ(read.header.cruise_altitude, header.cruise_altitude) << what;
    ASSERT_EQ(read.waypoints.Count(), waypoints.Count()) << what;
    for (std::size_t i = 0; i < waypoints.Count(); ++i) {
      const Waypoint& written = waypoints[i];
      const Waypoint& back = read.waypoints[i];
      // The FS2004 plan holds six characters of an identifier.
      const std::string written_id = SixCharacterId(written);
      EXPECT_EQ(std::tie(back.id, back.kind, back.route, back.alt),
                std::tie(written_id, written.kind, written.route, written.alt))
          << what << " " << written.id;
      EXPECT_LE(std::abs(back.position.latitude - written.position.latitude), kHalfHundredthMinute)
          << what << " " << written.id;
      EXPECT_LE(std::abs(back.position.longitude - written.position.longitude),
                kHalfHundredthMinute)
          << what << " " << written.id;
    }
  }
  EXPECT_GE(plans, 3);
}

}  // namespace
}  // namespace korvanta
