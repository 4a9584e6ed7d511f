#include "writers/fsx.hpp"

#include <fmt/format.h>

#include <cmath>
#include <cstdint>

#include "errors/run_error.hpp"
#include "text/lines.hpp"
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

// The FSX plan is built from the FS2004 plan's text, so that its seconds are
// those of the FS2004 plan's minutes rounded to 0.01'. It reads, from every
// "waypoint.N=" line's comma fields, field 2 (the identifier), 5 (the kind
// letter), 6 and 7 (latitude and longitude, "N51* 28.70'"), 8 (the altitude)
// and 9 (the airway); and from the departure_id and destination_id lines the
// identifier, the two coordinates and the altitude after the key.

// "N51° 28' 42.00\",W000° 27' 36.00\",+000083.00" from the three fields.
std::string PositionText(std::string_view lat, std::string_view lon, std::string_view alt) {
  return FsxCoordinateText(lat) + "," + FsxCoordinateText(lon) + "," + std::string(Trim(alt));
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
  ReadBackPosition(fields, line);
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

std::string FsxCoordinateText(std::string_view fs2004_coordinate) {
  const std::string_view text = Trim(fs2004_coordinate);
  const std::size_t star = text.find('*');
  const std::string_view head = star == std::string_view::npos ? "" : text.substr(0, star);

  // The minutes are the (up to) six characters after the first blank, less
  // the last one: "28.70'" or "5.50'" both lose their apostrophe.
  double minutes = 0.0;
  if (const std::size_t blank = text.find(' '); blank != std::string_view::npos) {
    const std::string_view minutes_text = CharacterSlice(text.substr(blank + 1), 0, 6);
    minutes = ReadDecimal(WithoutLastCharacter(minutes_text)).value_or(0.0);
  }
  // In hundredths of seconds. Anything too large to count that way is
  // treated like unreadable minutes.
  const double hundredths = std::round(minutes * 6000.0);
  constexpr double kLimit = 1e15;
  const auto count = std::fabs(hundredths) < kLimit ? static_cast<std::int64_t>(hundredths) : 0;
  return fmt::format("{}\xC2\xB0 {}' {}\"", head, count / 6000,
                     FormatFixed(static_cast<double>(count % 6000) / 100.0, 2));
}

std::optional<std::string> Fs2004CoordinateDegreesText(std::string_view fs2004_coordinate) {
  if (fs2004_coordinate.empty())
    return std::nullopt;
  const char hemisphere = fs2004_coordinate.front();
  std::string_view rest = CharacterSlice(fs2004_coordinate, 1, 80);
  const std::size_t star = rest.find('*');
  const std::size_t apostrophe = star == std::string_view::npos ? star : rest.find('\'', star + 1);
  if (apostrophe == std::string_view::npos)
    return std::nullopt;
  const auto degrees = ReadDecimal(rest.substr(0, star));
  const auto minutes = ReadDecimal(rest.substr(star + 1, apostrophe - star - 1));
  if (!degrees || !minutes)
    return std::nullopt;
  const double value = *degrees + *minutes / 60.0;
  return FormatFixed(hemisphere == 'S' || hemisphere == 'W' ? -value : value, 6);
}

Fs2004LinePosition ReadBackPosition(const std::vector<std::string_view>& fields,
                                    std::string_view line) {
  std::optional<std::string> latitude = Fs2004CoordinateDegreesText(Trim(FieldOf(fields, 6)));
  std::optional<std::string> longitude = Fs2004CoordinateDegreesText(Trim(FieldOf(fields, 7)));
  if (!latitude || !longitude)
    throw RunError(fmt::format("The FS2004 plan line \"{}\" does not read back", line));
  return {std::move(*latitude), std::move(*longitude)};
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
