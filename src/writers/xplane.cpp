#include "writers/xplane.hpp"

#include <string_view>

#include "text/cp1252.hpp"
#include "text/text.hpp"
#include "writers/coordinate_text.hpp"
#include "writers/six_character_id.hpp"

namespace korvanta {

namespace {

// The FMS type code of a row between the airports: 3 VOR, 2 NDB, 11 for an
// intersection and anything else.
std::string_view TypeCode(WaypointKind kind) {
  if (kind == WaypointKind::kVor)
    return "3";
  if (kind == WaypointKind::kNdb)
    return "2";
  return "11";
}

}  // namespace

std::string WriteXPlaneFms(const RouteHeader& route_header, const WaypointTable& route_waypoints) {
  const SixCharacterRoute route(route_header, route_waypoints);
  const RouteHeader& header = route.Header();
  const WaypointTable& waypoints = route.Waypoints();
  std::string out;
  AppendCrLfLine(out, "I");
  AppendCrLfLine(out, "3 version");
  AppendCrLfLine(out, "0");
  AppendCrLfLine(out, "0");
  for (const Waypoint& row : waypoints) {
    // A row named like either airport is written as that airport, wherever
    // it stands.
    std::string head;
    if (row.id == header.departure_icao) {
      head = "1 " + header.departure_icao;
    } else if (row.id == header.destination_icao) {
      head = "1 " + header.destination_icao;
    } else {
      head = std::string(TypeCode(row.kind)) + " " + row.id;
    }
    AppendCrLfLine(out, head + " 0 " + SixDecimalDegreesText(row.position.latitude) + " " +
                            SixDecimalDegreesText(row.position.longitude));
  }
  AppendCrLfLine(out, "");
  return Utf8ToCp1252(out);
}

}  // namespace korvanta
