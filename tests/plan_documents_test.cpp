#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "errors/run_error.hpp"
#include "test_support.hpp"
#include "writers/fsx.hpp"
#include "writers/kml.hpp"

namespace korvanta {
namespace {

using test::CrLf;
using Lines = std::vector<std::string>;

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

// A coloured icon style with a label style.
Lines IconStyle(const std::string& id, const std::string& scale, const std::string& href_line) {
  return {"\t<Style id=\"" + id + "\">",
          "\t\t<IconStyle>",
          "\t\t\t<color>ff0000aa</color>",
          "\t\t\t<scale>" + scale + "</scale>",
          "\t\t\t<Icon>",
          href_line,
          "\t\t\t</Icon>",
          "\t\t</IconStyle>",
          "\t\t<LabelStyle>",
          "\t\t\t<color>ff0000aa</color>",
          "\t\t\t<scale>0.7</scale>",
          "\t\t</LabelStyle>",
          "\t</Style>"};
}

Lines PushpinStyle(const std::string& id, const std::string& scale) {
  return {"\t<Style id=\"" + id + "\">",
          "\t\t<IconStyle>",
          "\t\t\t<scale>" + scale + "</scale>",
          "\t\t\t<Icon>",
          "\t\t\t\t<href>http://maps.google.com/mapfiles/kml/pushpin/ylw-pushpin.png</href>",
          "\t\t\t</Icon>",
          "\t\t\t<hotSpot x=\"20\" y=\"2\" xunits=\"pixels\" yunits=\"pixels\"/>",
          "\t\t</IconStyle>",
          "\t\t<LineStyle>",
          "\t\t\t<color>ff0000ff</color>",
          "\t\t</LineStyle>",
          "\t</Style>"};
}

Lines StyleMap(const std::string& id, const std::string& normal, const std::string& highlight) {
  return {"\t<StyleMap id=\"" + id + "\">",
          "\t\t<Pair>",
          "\t\t\t<key>normal</key>",
          "\t\t\t<styleUrl>" + normal + "</styleUrl>",
          "\t\t</Pair>",
          "\t\t<Pair>",
          "\t\t\t<key>highlight</key>",
          "\t\t\t<styleUrl>" + highlight + "</styleUrl>",
          "\t\t</Pair>",
          "\t</StyleMap>"};
}

Lines Head(const std::string& document_name) {
  const std::string triangle =
      "\t\t\t\t<href>http://maps.google.com/mapfiles/kml/shapes/triangle.png</href>";
  const std::string shapes = "<href>http://maps.google.com/mapfiles/kml/shapes/";
  Lines head = {
      R"(<?xml version="1.0" encoding="UTF-8"?>)",
      R"(<kml xmlns="http://www.opengis.net/kml/2.2" xmlns:gx="http://www.google.com/kml/ext/2.2" )",
      R"(xmlns:kml="http://www.opengis.net/kml/2.2" xmlns:atom="http://www.w3.org/2005/Atom">)",
      "<Document>",
      "\t<name>" + document_name + "</name>",
  };
  for (const Lines& block : {
           IconStyle("sh_triangle", "0.583333", triangle),
           PushpinStyle("sn_ylw-pushpin1", "1.1"),
           StyleMap("msn_triangle", "#sn_triangle", "#sh_triangle"),
           IconStyle("sn_triangle", "0.5", triangle),
           StyleMap("msn_placemark_circle", "#sn_placemark_circle",
                    "#sh_placemark_circle_highlight"),
           StyleMap("msn_placemark_square", "#sn_placemark_square",
                    "#sh_placemark_square_highlight"),
           StyleMap("msn_ylw-pushpin1", "#sn_ylw-pushpin1", "#sh_ylw-pushpin"),
           PushpinStyle("sh_ylw-pushpin", "1.3"),
           IconStyle("sn_placemark_square", "0.5", shapes + "placemark_square.png</href>"),
           IconStyle("sh_placemark_circle_highlight", "0.590909",
                     shapes + "placemark_circle_highlight.png</href>"),
           IconStyle("sn_placemark_circle", "0.5", shapes + "placemark_circle.png</href>"),
           IconStyle("sh_placemark_square_highlight", "0.590909",
                     shapes + "placemark_square_highlight.png</href>"),
       }) {
    head.insert(head.end(), block.begin(), block.end());
  }
  return head;
}

Lines Placemark(const std::string& name, const std::string& lon, const std::string& lat,
                const std::string& style) {
  return {"    <Placemark>",
          "        <name>" + name + "</name>",
          "        <LookAt>",
          "            <longitude>" + lon + "</longitude>",
          "            <latitude>" + lat + "</latitude>",
          "            <altitude>0</altitude>",
          "            <range>400000</range>",
          "            <tilt>0</tilt>",
          "            <heading>0</heading>",
          "            <altitudeMode>relativeToGround</altitudeMode>",
          "            <gx:altitudeMode>relativeToSeaFloor</gx:altitudeMode>",
          "        </LookAt>",
          "        <styleUrl>" + style + "</styleUrl>",
          "        <Point>",
          "            <coordinates>" + lon + "," + lat + ",0</coordinates>",
          "        </Point>",
          "    </Placemark>"};
}

// The whole file for the plan text above; names as they appear in the file.
std::string ExpectedKml(const std::string& dep_name = "ALPHA_INTL",
                        const std::string& dest_name = "BETA FIELD") {
  Lines lines = Head(dep_name + "-" + dest_name + ".kml");
  const Lines folder = {"<Folder>", "    <name>" + dep_name + "-" + dest_name + "</name>",
                        "    <open>1</open>"};
  lines.insert(lines.end(), folder.begin(), folder.end());
  for (const Lines& block : {
           Placemark("EAAA", "8.570500", "50.033333", "#msn_placemark_square"),
           Placemark("TOBAK", "8.283333", "50.091667", "#msn_triangle"),
           Placemark("RUDOL", "7.166667", "50.333333", "#msn_placemark_circle"),
           Placemark("KOMAR", "6.000000", "50.666667", "#msn_placemark_square"),
           Placemark("EBBB", "5.250000", "50.866667", "#msn_placemark_square"),
       }) {
    lines.insert(lines.end(), block.begin(), block.end());
  }
  const Lines tail = {
      "    <Placemark>",
      "        <name>Flightplan</name>",
      "        <styleUrl>#msn_ylw-pushpin1</styleUrl>",
      "        <LineString>",
      "            <tessellate>1</tessellate>",
      "            <coordinates>8.570500,50.033333,0 8.283333,50.091667,0 7.166667,50.333333,0 "
      "6.000000,50.666667,0 5.250000,50.866667,0 </coordinates>",
      "        </LineString>",
      "    </Placemark>",
      "</Folder>",
      "</Document>",
      "</kml>",
  };
  lines.insert(lines.end(), tail.begin(), tail.end());
  return CrLf(lines);
}

TEST(KmlFile, WholeDocumentWithAndWithoutRunway) {
  EXPECT_EQ(WriteGoogleEarthKml(PlanText(""), "ALPHA_INTL", "BETA FIELD"), ExpectedKml());
  EXPECT_EQ(WriteGoogleEarthKml(PlanText("25L"), "ALPHA_INTL", "BETA FIELD"), ExpectedKml());
}

TEST(KmlFile, NamesAreUtf8AndEscaped) {
  const std::string dep = "Cheb & Marianske";
  const std::string dest = "Z\xC3\xBCrich <S\xC3\xBC\x64>";
  EXPECT_EQ(WriteGoogleEarthKml(PlanText("", dep, dest), dep, dest),
            ExpectedKml("Cheb &amp; Marianske", "Z\xC3\xBCrich &lt;S\xC3\xBC\x64&gt;"));
}

// The placemark that one waypoint line gives, and the route line's points.
TEST(KmlFile, PlacemarkTable) {
  struct Case {
    std::string line;
    Lines placemark;
    std::string path;
  };
  const std::vector<Case> cases = {
      {"waypoint.1=, R&D, , R&D, X&Y, S33* 30.00', W070* 45.00', +000000.00 , ",
       Placemark("R&amp;D", "-70.750000", "-33.500000", "X&amp;Y"), "-70.750000,-33.500000,0 "},
  };
  for (const Case& c : cases) {
    std::string plan = PlanText("");
    plan = plan.substr(0, plan.find("waypoint.0=")) + c.line + "\r\n";
    const std::string kml = WriteGoogleEarthKml(plan, "A", "B");
    const std::string block = CrLf(c.placemark);
    EXPECT_NE(kml.find("    <open>1</open>\r\n" + block + "    <Placemark>\r\n"), std::string::npos)
        << c.line;
    EXPECT_NE(kml.find("<coordinates>" + c.path + "</coordinates>"), std::string::npos) << c.line;
  }
  // A comma in a name shifts the line's fields: no file places the point wrongly.
  std::string plan = PlanText("");
  plan = plan.substr(0, plan.find("waypoint.0=")) +
         "waypoint.1=, A,B, , A,B, I, N50* 0.00', E008* 0.00', +000000.00 , \r\n";
  EXPECT_THROW(WriteGoogleEarthKml(plan, "A", "B"), RunError);
}

}  // namespace
}  // namespace korvanta
