#include "readers/msfs_plan_reader.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "text/numbers.hpp"
#include "text/text.hpp"
#include "xml/xml_reader.hpp"

namespace korvanta {

namespace {

// The degree sign as the document's UTF-8 holds it; a plan saved in a
// single-byte encoding has the byte 0xB0.
constexpr std::string_view kPlanDegreeSign = "\xC2\xB0";
constexpr std::string_view kSingleByteDegreeSign = "\xB0";
// Points that MSFS adds to saved plans where the climb ends and the descent starts.
constexpr std::array<std::string_view, 2> kPseudoWaypoints = {"TIMECLIMB", "TIMEDSCNT"};

// An element's text as route text: the document is UTF-8, as the core's
// text is; only the blanks around it go.
std::string CoreText(std::string_view utf8) {
  return std::string(Trim(utf8));
}

void SkipBlanks(std::string_view& rest) {
  while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t'))
    rest.remove_prefix(1);
}

bool Take(std::string_view& rest, std::string_view token) {
  if (!rest.starts_with(token))
    return false;
  rest.remove_prefix(token.size());
  return true;
}

// "N50° 2' 0.00\"", "N50°02'00.0000\"", "N 50 ° 2 ' 0 \"": degrees and
// minutes with or without leading zeros, seconds with any number of decimals,
// blanks or none between the parts.
std::optional<std::int64_t> ReadAngle(std::string_view text, char positive, char negative) {
  std::string_view rest = Trim(text);
  if (rest.empty())
    return std::nullopt;
  const char hemisphere = AsciiUpper(rest.front());
  if (hemisphere != positive && hemisphere != negative)
    return std::nullopt;
  rest.remove_prefix(1);
  SkipBlanks(rest);
  const auto degrees = TakeDigits(rest, 3);
  SkipBlanks(rest);
  if (!degrees || !(Take(rest, kPlanDegreeSign) || Take(rest, kSingleByteDegreeSign)))
    return std::nullopt;
  SkipBlanks(rest);
  const auto minutes = TakeDigits(rest, 2);
  SkipBlanks(rest);
  if (!minutes || *minutes >= 60 || !Take(rest, "'"))
    return std::nullopt;
  const std::size_t quote = rest.find('"');
  if (quote == std::string_view::npos || !Trim(rest.substr(quote + 1)).empty())
    return std::nullopt;
  const std::string_view seconds_text = Trim(rest.substr(0, quote));
  if (seconds_text.empty() || seconds_text.front() == '+' || seconds_text.front() == '-')
    return std::nullopt;
  const auto seconds = RoundedDecimal(seconds_text, 100);
  if (!seconds || *seconds > 6000)
    return std::nullopt;
  const std::int64_t magnitude = (*degrees * 60 + *minutes) * 6000 + *seconds;
  return hemisphere == negative ? -magnitude : magnitude;
}

// WorldPosition and the airports' LLA values: latitude, longitude and an
// optional altitude in feet, separated by commas with blanks or none.
void ReadPosition(std::string_view text, PlanPoint& point) {
  point.position_text = CoreText(text);
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t comma = text.find(',', start);
    parts.push_back(text.substr(start, comma - start));
    if (comma == std::string_view::npos)
      break;
    start = comma + 1;
  }
  if (parts.size() < 2 || parts.size() > 3)
    return;
  point.lat = ReadAngle(parts[0], 'N', 'S');
  point.lon = ReadAngle(parts[1], 'E', 'W');
  if (parts.size() == 3)
    point.altitude = ReadFeet(parts[2]);
}

WaypointKind KindOf(std::string_view type) {
  type = Trim(type);
  if (EqualNoCase(type, "VOR"))
    return WaypointKind::kVor;
  if (EqualNoCase(type, "NDB"))
    return WaypointKind::kNdb;
  if (EqualNoCase(type, "Airport"))
    return WaypointKind::kAirport;
  return WaypointKind::kIntersection;
}

std::string RunwayOf(const XmlElement& waypoint) {
  std::string runway(Trim(waypoint.ChildText("RunwayNumberFP")));
  if (runway.empty())
    return runway;
  const std::string_view designator = Trim(waypoint.ChildText("RunwayDesignatorFP"));
  if (EqualNoCase(designator, "LEFT"))
    runway += 'L';
  else if (EqualNoCase(designator, "RIGHT"))
    runway += 'R';
  else if (EqualNoCase(designator, "CENTER"))
    runway += 'C';
  return runway;
}

// An airport the waypoint list leaves out, from its ID and LLA values.
std::optional<PlanReadError> AddAirport(const XmlElement& plan, std::string_view id_field,
                                        std::string_view position_field, bool first,
                                        std::vector<PlanPoint>& points) {
  const std::string id = CoreText(plan.ChildText(id_field));
  if (id.empty())
    return std::nullopt;
  if (!points.empty() && EqualNoCase(first ? points.front().id : points.back().id, id))
    return std::nullopt;
  const std::string_view position = plan.ChildText(position_field);
  if (Trim(position).empty())
    return PlanReadError{fmt::format("The plan gives no position for {}", id)};
  PlanPoint airport;
  airport.id = id;
  airport.kind = WaypointKind::kAirport;
  ReadPosition(position, airport);
  points.insert(first ? points.begin() : points.end(), std::move(airport));
  return std::nullopt;
}

}  // namespace

PlanReadResult ReadMsfsPlan(std::string_view bytes, const AirportDatabase& airports) {
  const auto document = ReadXml(bytes);
  if (const auto* error = std::get_if<XmlReadError>(&document))
    return NotReadable(error->reason, error->line);
  const XmlElement root = std::get<XmlTree>(document).Root();
  if (root.name != "SimBase.Document")
    return NotReadable("the document is no SimBase.Document");
  const std::optional<XmlElement> plan = root.Child("FlightPlan.FlightPlan");
  if (!plan)
    return NotReadable("the document holds no FlightPlan.FlightPlan");

  std::vector<PlanPoint> points;
  PlanHeaderValues values;
  for (const XmlElement& waypoint : plan->Children("ATCWaypoint")) {
    std::string_view id =
        Trim(waypoint.Child("ICAO") ? waypoint.Child("ICAO")->ChildText("ICAOIdent")
                                    : std::string_view());
    if (id.empty())
      id = Trim(waypoint.Attribute("id"));
    if (std::any_of(kPseudoWaypoints.begin(), kPseudoWaypoints.end(),
                    [&](std::string_view pseudo) { return EqualNoCase(id, pseudo); }))
      continue;
    PlanPoint point;
    point.id = CoreText(id);
    point.kind = KindOf(waypoint.ChildText("ATCWaypointType"));
    ReadPosition(waypoint.ChildText("WorldPosition"), point);
    point.airway = AirwayFromVia(CoreText(waypoint.ChildText("ATCAirway")));
    if (points.empty())
      values.runway = RunwayOf(waypoint);
    points.push_back(std::move(point));
  }

  const std::size_t listed = points.size();
  if (auto fault = AddAirport(*plan, "DepartureID", "DepartureLLA", true, points))
    return *fault;
  if (points.size() != listed)
    values.runway.clear();  // the runway belongs to the departure only
  if (auto fault = AddAirport(*plan, "DestinationID", "DestinationLLA", false, points))
    return *fault;
  TakeAirwaysFromNextPoint(points);

  values.departure_name = CoreText(plan->ChildText("DepartureName"));
  values.destination_name = CoreText(plan->ChildText("DestinationName"));
  values.cruise_altitude = ReadFeet(plan->ChildText("CruisingAlt"));
  return MakePlanRoute(std::move(points), values, airports);
}

}  // namespace korvanta
