#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "errors/run_error.hpp"
#include "route/position.hpp"
#include "test_support.hpp"
#include "writers/coordinate_text.hpp"
#include "writers/fsx.hpp"

namespace korvanta {
namespace {

using test::CrLf;

// The FS2004 plan text of the example route: the input of both the FSX plan
// and the Google Earth file.
std::string PlanText(const std::string& runway, const std::string& dep_name = "ALPHA_INTL",
                     const std::string& dest_name = "BETA FIELD") {
  return CrLf(test::ExamplePlanLines(runway, dep_name, dest_name));
}

// The AceXML document of that plan; the names as they appear in the file.
std::string ExpectedPlan(const std::string& dep_name = "ALPHA_INTL",
                         const std::string& dest_name = "BETA FIELD") {
  return CrLf({
      "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
      "",
      R"(<SimBase.Document Type="AceXML" version="1,0">)",
      "    <Descr>AceXML Document</Descr>",
      "    <FlightPlan.FlightPlan>",
      "        <Title>EAAA to EBBB</Title>",
      "        <FPType>IFR</FPType>",
      "        <RouteType>HighAlt</RouteType>",
      "        <CruisingAlt>33000</CruisingAlt>",
      "        <DepartureID>EAAA</DepartureID>",
      "        <DepartureLLA>N50\xC2\xB0 2' 0.00\",E008\xC2\xB0 34' 13.80\",+000364.00"
      "</DepartureLLA>",
      "        <DestinationID>EBBB</DestinationID>",
      "        <DestinationLLA>N50\xC2\xB0 52' 0.00\",E005\xC2\xB0 15' 0.00\",+000050.00"
      "</DestinationLLA>",
      "        <Descr>EAAA, EBBB</Descr>",
      "        <DepartureName>" + dep_name + "</DepartureName>",
      "        <DestinationName>" + dest_name + "</DestinationName>",
      "        <AppVersion>",
      "            <AppVersionMajor>10</AppVersionMajor>",
      "            <AppVersionBuild>61472</AppVersionBuild>",
      "        </AppVersion>",
      R"(        <ATCWaypoint id="EAAA">)",
      "            <ATCWaypointType>Airport</ATCWaypointType>",
      "            <WorldPosition>N50\xC2\xB0 2' 0.00\",E008\xC2\xB0 34' 13.80\",+000364.00"
      "</WorldPosition>",
      "            <ICAO>",
      "                <ICAOIdent>EAAA</ICAOIdent>",
      "            </ICAO>",
      "        </ATCWaypoint>",
      R"(        <ATCWaypoint id="TOBAK">)",
      "            <ATCWaypointType>Intersection</ATCWaypointType>",
      "            <WorldPosition>N50\xC2\xB0 5' 30.00\",E008\xC2\xB0 17' 0.00\",+000000.00"
      "</WorldPosition>",
      "            <ATCAirway>UL602</ATCAirway>",
      "        </ATCWaypoint>",
      R"(        <ATCWaypoint id="RUDOL">)",
      "            <ATCWaypointType>VOR</ATCWaypointType>",
      "            <WorldPosition>N50\xC2\xB0 20' 0.00\",E007\xC2\xB0 10' 0.00\",+000000.00"
      "</WorldPosition>",
      "        </ATCWaypoint>",
      R"(        <ATCWaypoint id="KOMAR">)",
      "            <ATCWaypointType>NDB</ATCWaypointType>",
      "            <WorldPosition>N50\xC2\xB0 40' 0.00\",E006\xC2\xB0 0' 0.00\",+000000.00"
      "</WorldPosition>",
      "        </ATCWaypoint>",
      R"(        <ATCWaypoint id="EBBB">)",
      "            <ATCWaypointType>Airport</ATCWaypointType>",
      "            <WorldPosition>N50\xC2\xB0 52' 0.00\",E005\xC2\xB0 15' 0.00\",+000050.00"
      "</WorldPosition>",
      "            <ICAO>",
      "                <ICAOIdent>EBBB</ICAOIdent>",
      "            </ICAO>",
      "        </ATCWaypoint>",
      "    </FlightPlan.FlightPlan>",
      "</SimBase.Document>",
  });
}

TEST(FsxPlan, WholeDocumentWithAndWithoutRunway) {
  EXPECT_EQ(WriteFsxPlan(PlanText("")), ExpectedPlan());
  EXPECT_EQ(WriteFsxPlan(PlanText("25L")), ExpectedPlan());
  // LF line ends read the same.
  std::string lf = PlanText("25L");
  for (std::size_t at; (at = lf.find('\r')) != std::string::npos;)
    lf.erase(at, 1);
  EXPECT_EQ(WriteFsxPlan(lf), ExpectedPlan());
}

TEST(FsxPlan, NamesAreUtf8AndEscaped) {
  EXPECT_EQ(
      WriteFsxPlan(PlanText("", "Cheb & Marianske", "Z\xC3\xBCrich <S\xC3\xBC\x64> \xE2\x82\xAC")),
      ExpectedPlan("Cheb &amp; Marianske", "Z\xC3\xBCrich &lt;S\xC3\xBC\x64&gt; \xE2\x82\xAC"));
}

// The waypoint elements of a plan text that has one waypoint line after the
// names; empty when there is none.
std::string WaypointElement(const std::string& waypoint_line) {
  std::string plan = PlanText("");
  plan = plan.substr(0, plan.find("waypoint.0=")) + waypoint_line + "\r\n";
  const std::string document = WriteFsxPlan(plan);
  const std::size_t begin = document.find("        <ATCWaypoint");
  if (begin == std::string::npos)
    return "";
  return document.substr(begin, document.find("    </FlightPlan.FlightPlan>") - begin);
}

TEST(FsxPlan, WaypointElements) {
  struct Case {
    std::string line;
    std::vector<std::string> element;
  };
  const std::vector<Case> cases = {
      // Unknown kind kept, escaped id, airway with blanks around it, no ICAO.
      {"waypoint.1=, R&\"D\", , R&\"D\", Q,  S51* 5.50', W000* 27.60',   +000083.00  ,  UN & 1 ",
       {R"(        <ATCWaypoint id="R&amp;&quot;D&quot;">)",
        "            <ATCWaypointType>Q</ATCWaypointType>",
        "            <WorldPosition>S51\xC2\xB0 5' 30.00\",W000\xC2\xB0 27' 36.00\",+000083.00"
        "</WorldPosition>",
        "            <ATCAirway>UN &amp; 1</ATCAirway>", "        </ATCWaypoint>"}},
      // Runs of commas are one separator; a missing airway field is no airway.
      {"waypoint.2=,, M\xC3\xA9TA,, ,,, M\xC3\xA9TA,, A, N00* 0.00',, E000* 0.00', +000000.00",
       {"        <ATCWaypoint id=\"M\xC3\xA9TA\">",
        "            <ATCWaypointType>Airport</ATCWaypointType>",
        "            <WorldPosition>N00\xC2\xB0 0' 0.00\",E000\xC2\xB0 0' 0.00\",+000000.00"
        "</WorldPosition>",
        "            <ICAO>", "                <ICAOIdent>M\xC3\xA9TA</ICAOIdent>",
        "            </ICAO>", "        </ATCWaypoint>"}},
      // Not a waypoint line.
      {"WP=1,Int,TOBAK,TOBAK,50.091667,8.283333,0.00,274.0000,0.000,1,100,UL602", {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WaypointElement(c.line), CrLf(c.element)) << c.line;
  // A comma in a name shifts the fields: the plan is not written.
  EXPECT_THROW(
      WaypointElement("waypoint.3=, A,B, , A,B, V, N50* 0.00', E008* 0.00', +000000.00 , "),
      RunError);
}

TEST(FsxPlan, ShortPlanTextStillClosesEveryElement) {
  const std::string plan = CrLf({"[flightplan]", "AppVersion=9.0.30612", "title=EAAA to EBBB",
                                 "description=EAAA, EBBB", "type=IFR"});
  EXPECT_EQ(WriteFsxPlan(plan), CrLf({
                                    "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
                                    "",
                                    R"(<SimBase.Document Type="AceXML" version="1,0">)",
                                    "    <Descr>AceXML Document</Descr>",
                                    "    <FlightPlan.FlightPlan>",
                                    "        <Title>EAAA to EBBB</Title>",
                                    "        <FPType>IFR</FPType>",
                                    "    </FlightPlan.FlightPlan>",
                                    "</SimBase.Document>",
                                }));
}

// The degree sign of the core's UTF-8 text.
#define DEG "\xC2\xB0"

// The FSX plan and the Google Earth file read the FS2004 plan's coordinates.
TEST(CoordinateText, Fs2004TextReadBack) {
  const std::pair<std::string_view, std::string_view> fsx[] = {
      {"N51* 28.70'", "N51" DEG " 28' 42.00\""},
      {"W000* 27.60'", "W000" DEG " 27' 36.00\""},
      {"N51* 5.50'", "N51" DEG " 5' 30.00\""},
      {"ERR", DEG " 0' 0.00\""},
      {"  S33* 56.80'\r\n", "S33" DEG " 56' 48.00\""},
      {"N51* xx.70'", "N51" DEG " 0' 0.00\""},
      // 1.13 * 6000 lies just below 6780; it must round, not cut.
      {"E008* 1.13'", "E008" DEG " 1' 7.80\""},
  };
  for (const auto& [fs2004, expected] : fsx)
    EXPECT_EQ(FsxCoordinateText(fs2004), expected) << fs2004;
  // A minute that rounds to 60 reaches the FSX plan carried.
  const std::int32_t rounds_up = 50 * kHundredthsPerDegree + 59 * kHundredthsPerMinute + 5990;
  EXPECT_EQ(FsxCoordinateText(Fs2004LatitudeText(rounds_up)), "N51" DEG " 0' 0.00\"");

  const std::pair<std::string_view, std::optional<std::string>> degrees[] = {
      {"N51* 28.70'", "51.478333"}, {"W000* 27.60'", "-0.460000"}, {"S33* 56.80'", "-33.946667"},
      {"N51 28.70'", std::nullopt}, {"N51* 28.70", std::nullopt},  {"", std::nullopt},
  };
  for (const auto& [fs2004, expected] : degrees)
    EXPECT_EQ(Fs2004CoordinateDegreesText(fs2004), expected) << fs2004;
}

}  // namespace
}  // namespace korvanta
