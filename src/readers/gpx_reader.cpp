#include "readers/gpx_reader.hpp"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "text/numbers.hpp"
#include "text/text.hpp"
#include "xml/xml_reader.hpp"

namespace korvanta {

namespace {

// The document's UTF-8 text as the core's text. The one place where the
// file's text becomes route text.
std::string CoreText(std::string_view utf8) {
  return std::string(Trim(utf8));
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// "UL602", "N869": one word of ASCII letters and digits with a digit in it.
// Other descriptions ("Turn left", "Paris") are no airway.
bool IsAirwayName(std::string_view text) {
  const bool letters_and_digits = std::all_of(text.begin(), text.end(), [](char c) {
    return IsDigit(c) || (AsciiUpper(c) >= 'A' && AsciiUpper(c) <= 'Z');
  });
  return letters_and_digits && std::any_of(text.begin(), text.end(), IsDigit);
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

// The route's point elements: the first route with two points or more, else
// the waypoints, else a route of one point.
std::vector<XmlElement> PointElements(const XmlElement& root) {
  const std::vector<XmlElement> routes = root.Children("rte");
  for (const XmlElement& route : routes) {
    if (auto points = route.Children("rtept"); points.size() >= 2)
      return points;
  }
  if (auto waypoints = root.Children("wpt"); !waypoints.empty())
    return waypoints;
  for (const XmlElement& route : routes) {
    if (auto points = route.Children("rtept"); !points.empty())
      return points;
  }
  return {};
}

}  // namespace

PlanReadResult ReadGpxRoute(std::string_view bytes, const AirportDatabase& airports) {
  const auto document = ReadXml(bytes);
  if (const auto* error = std::get_if<XmlReadError>(&document))
    return NotReadable(error->reason, error->line);
  const XmlElement root = std::get<XmlTree>(document).Root();
  if (root.name != "gpx" && !root.name.ends_with(":gpx"))
    return NotReadable("the document is no GPX file");

  const std::vector<XmlElement> elements = PointElements(root);
  if (elements.empty())
    return PlanReadError{std::string(kNoGpxRoute)};
  std::vector<PlanPoint> points;
  for (const XmlElement& element : elements)
    points.push_back(ReadPoint(element));

  PlanHeaderValues values;
  values.departure_name = CoreText(elements.front().ChildText("desc"));
  values.destination_name = CoreText(elements.back().ChildText("desc"));
  for (std::size_t i = 1; i + 1 < elements.size(); ++i) {
    const std::string_view description = Trim(elements[i].ChildText("desc"));
    if (IsAirwayName(description))
      points[i].airway = std::string(description);
  }
  return MakePlanRoute(std::move(points), values, airports);
}

}  // namespace korvanta
