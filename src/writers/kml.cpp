#include "writers/kml.hpp"

#include <string>
#include <vector>

#include "text/lines.hpp"
#include "text/numbers.hpp"
#include "writers/fsx.hpp"
#include "xml/xml_writer.hpp"

namespace korvanta {

namespace {

constexpr std::string_view kWaypointKey = "waypoint";
constexpr std::size_t kHeadLine = 4;
constexpr std::size_t kFirstWaypointLine = 12;
constexpr std::size_t kLastWaypointLine = 9999;
constexpr std::string_view kIconBase = "http://maps.google.com/mapfiles/kml/";
constexpr std::string_view kLabelColour = "ff0000aa";
constexpr std::size_t kHeadBytes = 8192;  // the head and its styles, with room to spare

// A placemark icon's style: coloured icon, coloured label. The href of the
// square and circle icons stands at the start of its line, the triangle's
// four tabs in.
void AddIconStyle(XmlDocument& xml, std::string_view id, std::string_view scale,
                  std::string_view icon, bool href_tabbed) {
  xml.AddLine("\t<Style id=\"" + std::string(id) + "\">");
  xml.AddLine("\t\t<IconStyle>");
  xml.AddLine("\t\t\t<color>" + std::string(kLabelColour) + "</color>");
  xml.AddLine("\t\t\t<scale>" + std::string(scale) + "</scale>");
  xml.AddLine("\t\t\t<Icon>");
  xml.AddLine(std::string(href_tabbed ? "\t\t\t\t" : "") + "<href>" + std::string(kIconBase) +
              std::string(icon) + "</href>");
  xml.AddLine("\t\t\t</Icon>");
  xml.AddLine("\t\t</IconStyle>");
  xml.AddLine("\t\t<LabelStyle>");
  xml.AddLine("\t\t\t<color>" + std::string(kLabelColour) + "</color>");
  xml.AddLine("\t\t\t<scale>0.7</scale>");
  xml.AddLine("\t\t</LabelStyle>");
  xml.AddLine("\t</Style>");
}

// The route line's style: the yellow pushpin, a red line.
void AddPushpinStyle(XmlDocument& xml, std::string_view id, std::string_view scale) {
  xml.AddLine("\t<Style id=\"" + std::string(id) + "\">");
  xml.AddLine("\t\t<IconStyle>");
  xml.AddLine("\t\t\t<scale>" + std::string(scale) + "</scale>");
  xml.AddLine("\t\t\t<Icon>");
  xml.AddLine("\t\t\t\t<href>" + std::string(kIconBase) + "pushpin/ylw-pushpin.png</href>");
  xml.AddLine("\t\t\t</Icon>");
  xml.AddLine("\t\t\t<hotSpot x=\"20\" y=\"2\" xunits=\"pixels\" yunits=\"pixels\"/>");
  xml.AddLine("\t\t</IconStyle>");
  xml.AddLine("\t\t<LineStyle>");
  xml.AddLine("\t\t\t<color>ff0000ff</color>");
  xml.AddLine("\t\t</LineStyle>");
  xml.AddLine("\t</Style>");
}

void AddStyleMap(XmlDocument& xml, std::string_view id, std::string_view normal,
                 std::string_view highlight) {
  xml.AddLine("\t<StyleMap id=\"" + std::string(id) + "\">");
  for (const auto& [key, url] : {std::pair{"normal", normal}, std::pair{"highlight", highlight}}) {
    xml.AddLine("\t\t<Pair>");
    xml.AddLine("\t\t\t<key>" + std::string(key) + "</key>");
    xml.AddLine("\t\t\t<styleUrl>" + std::string(url) + "</styleUrl>");
    xml.AddLine("\t\t</Pair>");
  }
  xml.AddLine("\t</StyleMap>");
}

// The fixed head: declaration, kml element with its namespaces, the
// document's name (the file name) and the styles.
void AddHead(XmlDocument& xml, const std::string& document_name) {
  xml.AddLine(R"(<?xml version="1.0" encoding="UTF-8"?>)");
  xml.AddLine(
      R"(<kml xmlns="http://www.opengis.net/kml/2.2" xmlns:gx="http://www.google.com/kml/ext/2.2" )");
  xml.AddLine(
      R"(xmlns:kml="http://www.opengis.net/kml/2.2" xmlns:atom="http://www.w3.org/2005/Atom">)");
  xml.AddLine("<Document>");
  xml.AddLine("\t<name>" + XmlEscapeText(document_name) + "</name>");
  AddIconStyle(xml, "sh_triangle", "0.583333", "shapes/triangle.png", true);
  AddPushpinStyle(xml, "sn_ylw-pushpin1", "1.1");
  AddStyleMap(xml, "msn_triangle", "#sn_triangle", "#sh_triangle");
  AddIconStyle(xml, "sn_triangle", "0.5", "shapes/triangle.png", true);
  AddStyleMap(xml, "msn_placemark_circle", "#sn_placemark_circle",
              "#sh_placemark_circle_highlight");
  AddStyleMap(xml, "msn_placemark_square", "#sn_placemark_square",
              "#sh_placemark_square_highlight");
  AddStyleMap(xml, "msn_ylw-pushpin1", "#sn_ylw-pushpin1", "#sh_ylw-pushpin");
  AddPushpinStyle(xml, "sh_ylw-pushpin", "1.3");
  AddIconStyle(xml, "sn_placemark_square", "0.5", "shapes/placemark_square.png", false);
  AddIconStyle(xml, "sh_placemark_circle_highlight", "0.590909",
               "shapes/placemark_circle_highlight.png", false);
  AddIconStyle(xml, "sn_placemark_circle", "0.5", "shapes/placemark_circle.png", false);
  AddIconStyle(xml, "sh_placemark_square_highlight", "0.590909",
               "shapes/placemark_square_highlight.png", false);
}

std::string StyleOf(std::string_view kind) {
  if (kind == "A" || kind == "N")
    return "#msn_placemark_square";
  if (kind == "V")
    return "#msn_placemark_circle";
  if (kind == "I")
    return "#msn_triangle";
  return std::string(kind);
}

// One waypoint's placemark; its point is added to the route line's path. It
// reads, from the FS2004 plan's "waypoint.N=" line, comma field 2 (the
// identifier), 5 (the kind letter), 6 and 7 (latitude and longitude).
void AddPlacemark(XmlDocument& xml, std::string_view line, std::string& path) {
  const auto fields = CommaFields(line);
  const Fs2004LinePosition position = ReadBackPosition(fields, line);
  const std::string& lat = position.latitude;
  const std::string& lon = position.longitude;

  xml.OpenTag("Placemark");
  xml.ValueTag("name", Trim(FieldOf(fields, 2)));
  xml.OpenTag("LookAt");
  xml.ValueTag("longitude", lon);
  xml.ValueTag("latitude", lat);
  xml.ValueTag("altitude", "0");
  xml.ValueTag("range", "400000");
  xml.ValueTag("tilt", "0");
  xml.ValueTag("heading", "0");
  xml.ValueTag("altitudeMode", "relativeToGround");
  xml.ValueTag("gx:altitudeMode", "relativeToSeaFloor");
  xml.CloseTag();
  xml.ValueTag("styleUrl", StyleOf(Trim(FieldOf(fields, 5))));
  xml.OpenTag("Point");
  const std::string point = lon + "," + lat + ",0";
  path += point + " ";
  xml.ValueTag("coordinates", point);
  xml.CloseTag();
  xml.CloseTag();
}

}  // namespace

std::string WriteGoogleEarthKml(std::string_view plan_text, std::string_view dep_name,
                                std::string_view dest_name) {
  const std::string names = std::string(dep_name) + "-" + std::string(dest_name);
  XmlDocument xml;
  // A placemark takes about four times the bytes of its plan line.
  xml.Reserve(plan_text.size() * 4 + kHeadBytes);
  std::string path;  // every point followed by one blank
  std::size_t number = 0;
  ForEachLine(plan_text, [&](std::string_view line) {
    ++number;
    if (number == kHeadLine) {
      AddHead(xml, names + ".kml");
      xml.OpenTag("Folder");
      xml.ValueTag("name", names);
      xml.ValueTag("open", "1");
    } else if (number >= kFirstWaypointLine && number <= kLastWaypointLine &&
               line.starts_with(kWaypointKey)) {
      AddPlacemark(xml, line, path);
    }
  });

  xml.OpenTag("Placemark");
  xml.ValueTag("name", "Flightplan");
  xml.ValueTag("styleUrl", "#msn_ylw-pushpin1");
  xml.OpenTag("LineString");
  xml.ValueTag("tessellate", "1");
  xml.ValueTag("coordinates", path);
  xml.CloseTag();
  xml.CloseTag();
  // The folder was opened with the head; a plan text too short to have one
  // leaves nothing more to close.
  if (number >= kHeadLine)
    xml.CloseTag();
  xml.AddLine("</Document>");
  xml.AddLine("</kml>");
  return std::move(xml).Text();
}

}  // namespace korvanta
