#include "writers/gpx.hpp"

#include <fmt/format.h>

#include <cstdint>
#include <string_view>

#include "route/position.hpp"
#include "writers/coordinate_text.hpp"
#include "xml/xml_writer.hpp"

namespace korvanta {

namespace {

// Feet to metres with one decimal (x 0.3048 = x * 3048 / 10000), rounded half
// away from zero, computed in integers.
std::string MetresText(std::int32_t feet) {
  const bool negative = feet < 0;
  const std::int64_t scaled = (negative ? -std::int64_t{feet} : std::int64_t{feet}) * 3048;
  std::int64_t tenths = scaled / 1000;
  if (scaled % 1000 >= 500)
    ++tenths;
  return fmt::format("{}{}.{}", negative && tenths != 0 ? "-" : "", tenths / 10, tenths % 10);
}

// Route text as element content of the UTF-8 document, every character kept.
std::string Text(std::string_view text) {
  return XmlEscapeText(text);
}

std::string_view KindOf(WaypointKind kind) {
  if (kind == WaypointKind::kAirport)
    return "Airport";
  if (kind == WaypointKind::kVor)
    return "VOR";
  if (kind == WaypointKind::kNdb)
    return "NDB";
  return "Waypoint";
}

// A line of the document at `depth` levels of two blanks.
void Line(std::string& out, int depth, std::string_view text) {
  out.append(static_cast<std::size_t>(depth) * 2, ' ');
  out += text;
  out += '\n';
}

void Value(std::string& out, int depth, std::string_view name, std::string_view escaped) {
  Line(out, depth, fmt::format("<{}>{}</{}>", name, escaped, name));
}

}  // namespace

std::string WriteGpxRoute(const RouteHeader& header, const WaypointTable& waypoints) {
  const std::string plan_name = Text(header.departure_icao + "-" + header.destination_icao);
  std::string out;
  Line(out, 0, R"(<?xml version="1.0" encoding="UTF-8"?>)");
  Line(out, 0,
       R"(<gpx version="1.1" creator="Korvanta" xmlns="http://www.topografix.com/GPX/1/1">)");
  Line(out, 1, "<metadata>");
  Value(out, 2, "name", plan_name);
  Value(out, 2, "desc",
        Text(fmt::format("{} to {}, FL{:03}", header.departure_name, header.destination_name,
                         header.cruise_altitude / 100)));
  Line(out, 1, "</metadata>");
  Line(out, 1, "<rte>");
  Value(out, 2, "name", plan_name);

  const std::size_t last = waypoints.Count() - 1;
  for (std::size_t i = 0; i < waypoints.Count(); ++i) {
    const Waypoint& row = waypoints[i];
    // The format takes longitudes from -180 up to but not including 180; the
    // two name the same meridian.
    const std::int32_t longitude =
        row.position.longitude == kLongitudeLimit ? -kLongitudeLimit : row.position.longitude;
    std::int32_t feet = header.cruise_altitude;
    std::string_view description = row.route;
    std::string_view kind = KindOf(row.kind);
    if (i == 0 || i == last) {
      feet = i == 0 ? header.departure_elevation : header.destination_elevation;
      description = i == 0 ? header.departure_name : header.destination_name;
      kind = "Airport";
    } else if (row.id == header.departure_icao || row.id == header.destination_icao) {
      // As in the X-Plane plan: an airport the route passes is that airport.
      kind = "Airport";
    }
    Line(out, 2,
         fmt::format(R"(<rtept lat="{}" lon="{}">)", ExactDegreesText(row.position.latitude),
                     ExactDegreesText(longitude)));
    Value(out, 3, "ele", MetresText(feet));
    Value(out, 3, "name", Text(row.id));
    if (!description.empty())
      Value(out, 3, "desc", Text(description));
    Value(out, 3, "type", kind);
    Line(out, 2, "</rtept>");
  }
  Line(out, 1, "</rte>");
  Line(out, 0, "</gpx>");
  return out;
}

}  // namespace korvanta
