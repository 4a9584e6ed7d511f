#include "writers/xplane11.hpp"

#include <fmt/format.h>

#include "text/cp1252.hpp"
#include "text/text.hpp"
#include "writers/coordinate_text.hpp"
#include "writers/runway.hpp"

namespace korvanta {

namespace {

// 3 VOR, 2 NDB, 11 for an intersection and anything else; 1 is an airport.
int TypeCode(WaypointKind kind) {
  if (kind == WaypointKind::kVor)
    return 3;
  if (kind == WaypointKind::kNdb)
    return 2;
  return 11;
}

// The runway as X-Plane's own data names it, without the "RW" the line puts
// before it: a leading "RW" the pilot typed is dropped, and a one-digit
// number gets its leading zero ("RW25L" gives 25L, "7L" gives 07L).
std::string XPlaneRunwayName(std::string_view runway) {
  std::string name = NormalizedRunway(runway);
  if (name.starts_with("RW"))
    name.erase(0, 2);
  const auto is_digit = [](char c) { return c >= '0' && c <= '9'; };
  if (!name.empty() && is_digit(name[0]) && (name.size() == 1 || !is_digit(name[1])))
    name.insert(0, 1, '0');
  return name;
}

}  // namespace

std::string WriteXPlane11Fms(const RouteHeader& header, const WaypointTable& waypoints,
                             std::string_view runway, std::string_view cycle) {
  std::string out;
  AppendCrLfLine(out, "I");
  AppendCrLfLine(out, "1100 Version");
  AppendCrLfLine(out, fmt::format("CYCLE {}", cycle));
  AppendCrLfLine(out, "ADEP " + header.departure_icao);
  if (const std::string runway_name = XPlaneRunwayName(runway); !runway_name.empty())
    AppendCrLfLine(out, "DEPRWY RW" + runway_name);
  AppendCrLfLine(out, "ADES " + header.destination_icao);
  AppendCrLfLine(out, fmt::format("NUMENR {}", waypoints.Count()));

  const std::size_t last = waypoints.Count() - 1;
  for (std::size_t i = 0; i < waypoints.Count(); ++i) {
    const Waypoint& row = waypoints[i];
    int type = TypeCode(row.kind);
    // The flight management computer reads blank-separated fields, so the
    // airway loses its blanks.
    std::string via = i > 0 ? WithoutBlanks(waypoints[i - 1].route) : std::string();
    if (via.empty())
      via = "DRCT";
    std::int32_t altitude = header.cruise_altitude;
    if (i == 0) {
      type = 1;
      via = "ADEP";
      altitude = header.departure_elevation;
    } else if (i == last) {
      type = 1;
      via = "ADES";
      altitude = header.destination_elevation;
    } else if (row.id == header.departure_icao || row.id == header.destination_icao) {
      // An airport the route passes is still that airport, flown over at
      // cruise altitude.
      type = 1;
    } else if (row.named_from_position && type == 11) {
      // A latitude/longitude point that is no navaid: no navigation data
      // holds its name.
      type = 28;
    }
    // Six decimals, as X-Plane writes the column in its own plans.
    AppendCrLfLine(out, fmt::format("{} {} {} {}.000000 {} {}", type, row.id, via, altitude,
                                    ExactDegreesText(row.position.latitude),
                                    ExactDegreesText(row.position.longitude)));
  }
  return Utf8ToCp1252(out);
}

}  // namespace korvanta
