#include "writers/msfs.hpp"

#include <fmt/format.h>

#include <cstdlib>

#include "route/position.hpp"
#include "writers/runway.hpp"
#include "xml/xml_writer.hpp"

namespace korvanta {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// "N50° 2' 0.00\"": no leading zeros, seconds to the hundredth, exactly as read.
std::string AngleText(std::int32_t hundredths, char positive, char negative) {
  const std::int32_t magnitude = std::abs(hundredths);
  return fmt::format("{}{}\xC2\xB0 {}' {}.{:02}\"", hundredths < 0 ? negative : positive,
                     magnitude / kHundredthsPerDegree, magnitude / kHundredthsPerMinute % 60,
                     magnitude / kHundredthsPerSecond % 60, magnitude % kHundredthsPerSecond);
}

// Latitude, longitude and altitude in feet: "N50° 2' 0.00\",E8° 34' 14.00\",+000364.00".
std::string PositionText(const Waypoint& row, std::int32_t altitude) {
  return fmt::format("{},{},{:+07}.00", AngleText(row.position.latitude, 'N', 'S'),
                     AngleText(row.position.longitude, 'E', 'W'), altitude);
}

std::string_view WaypointType(WaypointKind kind) {
  if (kind == WaypointKind::kVor)
    return "VOR";
  if (kind == WaypointKind::kNdb)
    return "NDB";
  if (kind == WaypointKind::kAirport)
    return "Airport";
  return "Intersection";
}

std::string_view DesignatorText(RunwaySide side) {
  switch (side) {
    case RunwaySide::kLeft:
      return "LEFT";
    case RunwaySide::kRight:
      return "RIGHT";
    case RunwaySide::kCenter:
      return "CENTER";
    case RunwaySide::kNone:
      break;
  }
  return "";
}

void AddRunway(XmlDocument& xml, std::string_view runway) {
  const auto designation = ReadRunway(runway);
  if (!designation)
    return;
  xml.ValueTag("RunwayNumberFP", fmt::format("{}", designation->number));
  if (designation->side != RunwaySide::kNone)
    xml.ValueTag("RunwayDesignatorFP", DesignatorText(designation->side));
}

}  // namespace

std::string WriteMsfsPlan(const RouteHeader& header, const WaypointTable& waypoints,
                          std::string_view runway) {
  const std::string& departure = header.departure_icao;
  const std::string& destination = header.destination_icao;
  const std::size_t last = waypoints.Count() - 1;

  XmlDocument xml;
  xml.AddLine(std::string(kByteOrderMark) + R"(<?xml version="1.0" encoding="UTF-8"?>)");
  xml.AddLine("");
  xml.OpenTag("SimBase.Document", {{"Type", "AceXML"}, {"version", "1,0"}});
  xml.ValueTag("Descr", "AceXML Document");
  xml.OpenTag("FlightPlan.FlightPlan");
  xml.ValueTag("Title", departure + " to " + destination);
  xml.ValueTag("FPType", "IFR");
  xml.ValueTag("CruisingAlt", fmt::format("{}.000", header.cruise_altitude));
  xml.ValueTag("DepartureID", departure);
  xml.ValueTag("DepartureLLA", PositionText(waypoints[0], header.departure_elevation));
  xml.ValueTag("DestinationID", destination);
  xml.ValueTag("DestinationLLA", PositionText(waypoints[last], header.destination_elevation));
  xml.ValueTag("Descr", departure + ", " + destination);
  xml.ValueTag("DepartureName", header.departure_name);
  xml.ValueTag("DestinationName", header.destination_name);
  xml.OpenTag("AppVersion");
  xml.ValueTag("AppVersionMajor", "11");
  xml.ValueTag("AppVersionBuild", "282174");
  xml.CloseTag();

  for (std::size_t i = 0; i <= last; ++i) {
    const Waypoint& row = waypoints[i];
    const std::string& id = row.id;
    // An airport the route passes is still that airport, flown over at
    // cruise altitude.
    const bool airport =
        i == 0 || i == last || row.id == header.departure_icao || row.id == header.destination_icao;
    const std::int32_t altitude = i == 0      ? header.departure_elevation
                                  : i == last ? header.destination_elevation
                                              : header.cruise_altitude;
    xml.OpenTag("ATCWaypoint", {{"id", id}});
    xml.ValueTag("ATCWaypointType", airport ? "Airport" : WaypointType(row.kind));
    xml.ValueTag("WorldPosition", PositionText(row, altitude));
    if (i == 0)
      AddRunway(xml, runway);
    // MSFS reads the airway as the one the point is reached by.
    if (i > 0 && !waypoints[i - 1].route.empty())
      xml.ValueTag("ATCAirway", waypoints[i - 1].route);
    // MSFS misplaces a waypoint without its identifier block.
    xml.OpenTag("ICAO");
    xml.ValueTag("ICAOIdent", id);
    xml.CloseTag();
    xml.CloseTag();
  }

  xml.CloseTag();
  xml.CloseTag();
  return xml.Text();
}

}  // namespace korvanta
