#include "writers/xplane11.hpp"

#include <fmt/format.h>

#include "route/cp1252.hpp"
#include "route/text.hpp"
#include "writers/point_position.hpp"
#include "writers/runway.hpp"

namespace korvanta {

namespace {

// 3 VOR, 2 NDB, 11 for an intersection and anything else; 1 is an airport.
int TypeCode(std::string_view kind) {
  if (kind == "V")
    return 3;
  if (kind == "N")
    return 2;
  return 11;
}

}  // namespace

std::string WriteXPlane11Fms(const RouteHeader& header, const WaypointTable& waypoints,
                             std::string_view runway, std::string_view cycle) {
  std::string out;
  AppendCrLfLine(out, "I");
  AppendCrLfLine(out, "1100 Version");
  AppendCrLfLine(out, fmt::format("CYCLE {}", cycle));
  AppendCrLfLine(out, "ADEP " + header.departure_icao);
  if (const std::string runway_name = NormalizedRunway(runway); !runway_name.empty())
    AppendCrLfLine(out, "DEPRWY RW" + runway_name);
  AppendCrLfLine(out, "ADES " + header.destination_icao);
  AppendCrLfLine(out, fmt::format("NUMENR {}", waypoints.Count()));

  const std::size_t last = waypoints.Count() - 1;
  for (std::size_t i = 0; i < waypoints.Count(); ++i) {
    const Waypoint& row = waypoints[i];
    const ExactPosition position = ExactPositionOf(row);
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
    }
    AppendCrLfLine(out, fmt::format("{} {} {} {} {} {}", type, row.id, via, altitude, position.lat,
                                    position.lon));
  }
  return Utf8ToCp1252(out);
}

}  // namespace korvanta
