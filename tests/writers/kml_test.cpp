#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "errors/run_error.hpp"
#include "test_support.hpp"
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
