#include "readers/msfs_plan_reader.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "route/identifiers.hpp"
#include "route/position.hpp"
#include "text/numbers.hpp"
#include "text/text.hpp"
#include "xml/xml_reader.hpp"

namespace korvanta {

namespace {

// Points that MSFS adds to saved plans where the climb ends and the descent starts.
constexpr std::array<std::string_view, 2> kPseudoWaypoints = {"TIMECLIMB", "TIMEDSCNT"};

// An element's text as route text: the document is UTF-8, as the core's
// text is; only the blanks around it go.
std::string CoreText(std::string_view utf8) {
  return std::string(Trim(utf8));
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
  point.lat = ReadPlanAngle(parts[0], 'N', 'S');
  point.lon = ReadPlanAngle(parts[1], 'E', 'W');
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

// The points of a departure, arrival or approach: the route leaves them to
// the aircraft's database, as the route finder's own routes do.
bool InProcedure(const XmlElement& waypoint) {
  constexpr std::array<std::string_view, 3> kProcedureMarks = {"DepartureFP", "ArrivalFP",
                                                               "ApproachTypeFP"};
  return std::any_of(kProcedureMarks.begin(), kProcedureMarks.end(),
                     [&](std::string_view mark) { return waypoint.Child(mark).has_value(); });
}

PlanReadError AirportNotPlaced(std::string_view id) {
  return {
      fmt::format("The plan gives no position for {}, and the airport list does not place it", id)};
}

// An airport without a position in the plan (MSFS 2024 writes none) takes the
// one the airport list gives.
std::optional<PlanReadError> PlaceFromAirportList(const AirportDatabase& airports,
                                                  PlanPoint& airport) {
  const std::optional<Position> location = airports.Location(airport.id);
  if (!location)
    return AirportNotPlaced(airport.id);
  airport.lat = location->latitude;
  airport.lon = location->longitude;
  airport.position_text =
      DmsLatitudeText(location->latitude) + " " + DmsLongitudeText(location->longitude);
  return std::nullopt;
}

// An airport the waypoint list leaves out, from its ID and LLA values, else
// from the airport list.
std::optional<PlanReadError> AddAirport(const XmlElement& plan, std::string_view id_field,
                                        std::string_view position_field, bool first,
                                        const AirportDatabase& airports,
                                        std::vector<PlanPoint>& points) {
  const std::string id = CoreText(plan.ChildText(id_field));
  if (id.empty())
    return std::nullopt;
  if (!points.empty() && EqualNoCase(first ? points.front().id : points.back().id, id))
    return std::nullopt;
  PlanPoint airport;
  airport.id = id;
  airport.kind = WaypointKind::kAirport;
  const std::string_view position = plan.ChildText(position_field);
  if (!Trim(position).empty())
    ReadPosition(position, airport);
  else if (auto fault = PlaceFromAirportList(airports, airport))
    return fault;
  points.insert(first ? points.begin() : points.end(), std::move(airport));
  return std::nullopt;
}

// One listed point; an airport without a position takes the list's, any
// other point without one goes on with its region, for the navigation data
// to place.
std::variant<PlanPoint, PlanReadError> ReadWaypoint(const XmlElement& waypoint, std::string_view id,
                                                    const AirportDatabase& airports) {
  PlanPoint point;
  point.id = CoreText(id);
  point.kind = KindOf(waypoint.ChildText("ATCWaypointType"));
  point.airway = AirwayFromVia(CoreText(waypoint.ChildText("ATCAirway")));
  if (const std::optional<XmlElement> icao = waypoint.Child("ICAO"))
    point.region = CoreText(icao->ChildText("ICAORegion"));
  const std::string_view position = waypoint.ChildText("WorldPosition");
  if (!Trim(position).empty()) {
    ReadPosition(position, point);
  } else if (point.kind == WaypointKind::kAirport) {
    if (auto fault = PlaceFromAirportList(airports, point))
      return *fault;
  }
  return point;
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
  bool procedure_left_out = false;
  for (const XmlElement& waypoint : plan->Children("ATCWaypoint")) {
    std::string_view id =
        Trim(waypoint.Child("ICAO") ? waypoint.Child("ICAO")->ChildText("ICAOIdent")
                                    : std::string_view());
    if (id.empty())
      id = Trim(waypoint.Attribute("id"));
    // Compared as the route names the point, so that a name that only
    // becomes "TIMECLIMB" once its stray characters go is left out too.
    const std::string route_id = IdentifierCharacters(id);
    if (std::any_of(kPseudoWaypoints.begin(), kPseudoWaypoints.end(),
                    [&](std::string_view pseudo) { return EqualNoCase(route_id, pseudo); }))
      continue;
    // An airport stays whatever procedure the plan ties to it: it ends the route.
    if (InProcedure(waypoint) &&
        KindOf(waypoint.ChildText("ATCWaypointType")) != WaypointKind::kAirport) {
      procedure_left_out = true;
      continue;
    }
    auto point = ReadWaypoint(waypoint, id, airports);
    if (auto* fault = std::get_if<PlanReadError>(&point))
      return *fault;
    // The leg that now spans the procedure's points follows no airway.
    if (std::exchange(procedure_left_out, false))
      std::get<PlanPoint>(point).airway.clear();
    if (points.empty())
      values.runway = RunwayOf(waypoint);
    points.push_back(std::move(std::get<PlanPoint>(point)));
  }

  const std::size_t listed = points.size();
  if (auto fault = AddAirport(*plan, "DepartureID", "DepartureLLA", true, airports, points))
    return *fault;
  if (points.size() != listed)
    values.runway.clear();  // the runway belongs to the departure only
  if (auto fault = AddAirport(*plan, "DestinationID", "DestinationLLA", false, airports, points))
    return *fault;
  // MSFS puts an airway on the point it reaches; planners put one on either
  // airport as well, which names no leg of the route.
  if (!points.empty()) {
    points.front().airway.clear();
    points.back().airway.clear();
  }
  TakeAirwaysFromNextPoint(points);
  // MSFS 2024 names the departure runway in the plan's departure details.
  if (const std::optional<XmlElement> details = plan->Child("DepartureDetails")) {
    if (std::string runway = RunwayOf(*details); !runway.empty())
      values.runway = std::move(runway);
  }

  values.departure_name = CoreText(plan->ChildText("DepartureName"));
  values.destination_name = CoreText(plan->ChildText("DestinationName"));
  values.cruise_altitude = ReadFeet(plan->ChildText("CruisingAlt"));
  return MakePlanRoute(std::move(points), values, airports);
}

}  // namespace korvanta
