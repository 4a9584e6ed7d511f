#include "readers/gpx_reader.hpp"

#include <fmt/format.h>

#include <string>
#include <utility>
#include <vector>

#include "text/numbers.hpp"
#include "text/text.hpp"
#include "xml/xml_reader.hpp"

namespace korvanta {

namespace {

// The "creator" attribute of the files that Korvanta's GPX writer makes.
constexpr std::string_view kOwnCreator = "Korvanta";

// The document's UTF-8 text as the core's text. The one place where the
// file's text becomes route text.
std::string CoreText(std::string_view utf8) {
  return std::string(Trim(utf8));
}

// A note is one line: a route's name may hold line ends and tabs.
std::string OneLine(std::string_view text) {
  std::string line(Trim(text));
  for (char& c : line) {
    if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F')
      c = ' ';
  }
  return line;
}

WaypointKind KindOf(std::string_view type) {
  type = Trim(type);
  if (EqualNoCase(type, "Airport"))
    return WaypointKind::kAirport;
  if (EqualNoCase(type, "VOR"))
    return WaypointKind::kVor;
  if (EqualNoCase(type, "NDB"))
    return WaypointKind::kNdb;
  return WaypointKind::kIntersection;
}

PlanPoint ReadPoint(const XmlElement& element) {
  PlanPoint point;
  point.id = CoreText(element.ChildText("name"));
  // GPS devices and mapping programs leave points unnamed; the position
  // names them then.
  point.named_from_position = point.id.empty();
  point.kind = KindOf(element.ChildText("type"));
  const std::string_view lat = element.Attribute("lat");
  const std::string_view lon = element.Attribute("lon");
  point.lat = ReadDecimalAngle(lat);
  point.lon = ReadDecimalAngle(lon);
  point.position_text = CoreText(std::string(lat) + " " + std::string(lon));
  if (const std::optional<XmlElement> elevation = element.Child("ele"))
    point.altitude = ReadMetresAsFeet(elevation->text);
  return point;
}

// The routes that are routes: those of two points or more.
std::vector<XmlElement> RoutesOfTwoPointsOrMore(const XmlElement& root) {
  std::vector<XmlElement> routes;
  for (const XmlElement& route : root.Children("rte")) {
    if (route.Children("rtept").size() >= 2)
      routes.push_back(route);
  }
  return routes;
}

// The route's point elements: the first route with two points or more, else
// the waypoints, else a route of one point.
std::vector<XmlElement> PointElements(const XmlElement& root,
                                      const std::vector<XmlElement>& routes) {
  if (!routes.empty())
    return routes.front().Children("rtept");
  if (auto waypoints = root.Children("wpt"); !waypoints.empty())
    return waypoints;
  for (const XmlElement& route : root.Children("rte")) {
    if (auto points = route.Children("rtept"); !points.empty())
      return points;
  }
  return {};
}

// `the file holds 3 routes; the first, "Morning", was read`
std::string RoutesLeftUnreadNote(std::size_t route_count, const XmlElement& first) {
  const std::string name = OneLine(first.ChildText("name"));
  if (name.empty())
    return fmt::format("the file holds {} routes; the first was read", route_count);
  return fmt::format("the file holds {} routes; the first, \"{}\", was read", route_count, name);
}

}  // namespace

GpxReadResult ReadGpxPlan(std::string_view bytes) {
  const auto document = ReadXml(bytes);
  if (const auto* error = std::get_if<XmlReadError>(&document))
    return NotReadable(error->reason, error->line);
  const XmlElement root = std::get<XmlTree>(document).Root();
  if (root.name != "gpx" && !root.name.ends_with(":gpx"))
    return NotReadable("the document is no GPX file");

  const std::vector<XmlElement> routes = RoutesOfTwoPointsOrMore(root);
  const std::vector<XmlElement> elements = PointElements(root, routes);
  if (elements.empty())
    return PlanReadError{std::string(kNoGpxRoute)};

  GpxPlan plan;
  for (const XmlElement& element : elements)
    plan.points.push_back(ReadPoint(element));
  if (routes.size() > 1)
    plan.notes.push_back(RoutesLeftUnreadNote(routes.size(), routes.front()));

  if (root.Attribute("creator") == kOwnCreator) {
    plan.values.departure_name = CoreText(elements.front().ChildText("desc"));
    plan.values.destination_name = CoreText(elements.back().ChildText("desc"));
    for (std::size_t i = 1; i + 1 < elements.size(); ++i)
      plan.points[i].airway = CoreText(elements[i].ChildText("desc"));
  }
  return plan;
}

PlanReadResult ReadGpxRoute(std::string_view bytes, const AirportDatabase& airports) {
  GpxReadResult read = ReadGpxPlan(bytes);
  if (auto* error = std::get_if<PlanReadError>(&read))
    return std::move(*error);
  GpxPlan& plan = std::get<GpxPlan>(read);
  PlanReadResult result = MakePlanRoute(std::move(plan.points), plan.values, airports);
  if (auto* route = std::get_if<PlanRoute>(&result))
    route->notes = std::move(plan.notes);
  return result;
}

}  // namespace korvanta
