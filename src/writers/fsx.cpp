#include "writers/fsx.hpp"

#include "readers/route_text_parser.hpp"
#include "route/conversions.hpp"
#include "text/numbers.hpp"
#include "text/utf8.hpp"
#include "xml/xml_writer.hpp"

namespace korvanta {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kRunwayKey = "departure_position=";
constexpr std::string_view kWaypointKey = "waypoint";
constexpr std::size_t kFirstWaypointLine = 12;
constexpr std::size_t kLastWaypointLine = 9999;
constexpr std::size_t kShortText = 80;
constexpr std::size_t kLongText = 180;

// At most `count` characters of the line from character `first` (counted
// from 1) on; empty when the line is shorter.
std::string_view Part(std::string_view line, std::size_t first, std::size_t count) {
  return CharacterSlice(line, first - 1, count);
}

// "N51° 28' 42.00\",W000° 27' 36.00\",+000083.00" from the three fields.
std::string PositionText(std::string_view lat, std::string_view lon, std::string_view alt) {
  return DegMinToFsxDmsText(lat) + "," + DegMinToFsxDmsText(lon) + "," + std::string(Trim(alt));
}

std::string WaypointType(std::string_view letter) {
  if (letter == "A")
    return "Airport";
  if (letter == "N")
    return "NDB";
  if (letter == "V")
    return "VOR";
  if (letter == "I")
    return "Intersection";
  return std::string(letter);
}

void AddWaypoint(XmlDocument& xml, std::string_view line) {
  const auto fields = CommaFields(line);
  const std::string id(Trim(FieldOf(fields, 2)));
  const std::string type = WaypointType(Trim(FieldOf(fields, 5)));
  xml.OpenTag("ATCWaypoint", {{"id", id}});
  xml.ValueTag("ATCWaypointType", type);
  xml.ValueTag("WorldPosition",
               PositionText(FieldOf(fields, 6), FieldOf(fields, 7), FieldOf(fields, 8)));
  const std::string_view airway = Trim(FieldOf(fields, 9));
  if (!airway.empty())
    xml.ValueTag("ATCAirway", airway);
  if (type == "Airport") {
    xml.OpenTag("ICAO");
    xml.ValueTag("ICAOIdent", id);
    xml.CloseTag();
  }
  xml.CloseTag();
}

}  // namespace

std::vector<std::string_view> CommaFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (start <= line.size()) {
    const std::size_t comma = line.find(',', start);
    const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
    if (end > start)
      fields.push_back(line.substr(start, end - start));
    if (comma == std::string_view::npos)
      break;
    start = comma + 1;
  }
  return fields;
}

std::string_view FieldOf(const std::vector<std::string_view>& fields, std::size_t number) {
  return number >= 1 && number <= fields.size() ? fields[number - 1] : std::string_view();
}

std::string WriteFsxPlan(std::string_view plan_text) {
  XmlDocument xml;
  xml.AddLine(std::string(kByteOrderMark) + R"(<?xml version="1.0" encoding="UTF-8"?>)");
  xml.AddLine("");
  xml.OpenTag("SimBase.Document", {{"Type", "AceXML"}, {"version", "1,0"}});
  xml.ValueTag("Descr", "AceXML Document");
  xml.OpenTag("FlightPlan.FlightPlan");

  // Lines are numbered as if the runway line were absent, so the destination
  // is always line 9 and the names lines 10 and 11.
  std::size_t number = 0;
  std::string_view description;
  ForEachLine(plan_text, [&](std::string_view line) {
    if (number == 8 && line.starts_with(kRunwayKey))
      return;
    ++number;
    switch (number) {
      case 3:
        xml.ValueTag("Title", Part(line, 7, kShortText));
        break;
      case 4:
        description = line;
        break;
      case 5:
        xml.ValueTag("FPType", "IFR");
        break;
      case 6:
        xml.ValueTag("RouteType", "HighAlt");
        break;
      case 7:
        xml.ValueTag("CruisingAlt", Part(line, 19, 6));
        break;
      case 8:
      case 9: {
        const bool departure = number == 8;
        const auto fields = CommaFields(Part(line, departure ? 14 : 16, kLongText));
        xml.ValueTag(departure ? "DepartureID" : "DestinationID", FieldOf(fields, 1));
        xml.ValueTag(departure ? "DepartureLLA" : "DestinationLLA",
                     PositionText(FieldOf(fields, 2), FieldOf(fields, 3), FieldOf(fields, 4)));
        if (!departure) {
          xml.ValueTag("Descr", Part(description, 13, kShortText));
        }
        break;
      }
      case 10:
        xml.ValueTag("DepartureName", Part(line, 16, kLongText));
        break;
      case 11:
        xml.ValueTag("DestinationName", Part(line, 18, kLongText));
        xml.OpenTag("AppVersion");
        xml.ValueTag("AppVersionMajor", "10");
        xml.ValueTag("AppVersionBuild", "61472");
        xml.CloseTag();
        break;
      default:
        if (number >= kFirstWaypointLine && number <= kLastWaypointLine &&
            line.starts_with(kWaypointKey)) {
          AddWaypoint(xml, line);
        }
    }
  });

  xml.CloseTag();
  xml.CloseTag();
  return xml.Text();
}

}  // namespace korvanta
