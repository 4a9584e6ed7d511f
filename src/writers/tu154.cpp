#include "writers/tu154.hpp"

#include <fmt/format.h>

#include <string_view>

#include "navdata/kln_navigation.hpp"
#include "text/cp1252.hpp"
#include "writers/coordinate_text.hpp"
#include "writers/six_character_id.hpp"

namespace korvanta {

namespace {

std::string_view TypeCode(WaypointKind kind) {
  if (kind == WaypointKind::kVor)
    return "1";
  if (kind == WaypointKind::kNdb)
    return "0";
  if (kind == WaypointKind::kAirport)
    return "2";
  return "3";  // an intersection or other fix
}

}  // namespace

// The navigation data files are Windows-1252 and are searched in their own
// bytes; the plan holds them as they stand.
std::string Tu154LookupKey(const Waypoint& row) {
  return KlnPointKey(Utf8ToCp1252(SixCharacterId(row)),
                     SixDecimalDegreesText(row.position.longitude),
                     SixDecimalDegreesText(row.position.latitude));
}

std::string WriteTu154Plan(const WaypointTable& waypoints, KlnNavigationPoints& navigation_points,
                           int plan_number) {
  std::string out = fmt::format("[FPL.{}]\r\n", plan_number);
  int written = 0;
  for (const Waypoint& row : waypoints) {
    const KlnNavigationPoint* point = navigation_points.Find(Tu154LookupKey(row));
    if (!point)
      continue;
    out +=
        fmt::format("Point.{}=TYPE=[{}] ICAO_ID=[{}] Lat=[{}] Lon=[{}]\r\n", written,
                    TypeCode(row.kind), Utf8ToCp1252(SixCharacterId(row)), point->lat, point->lon);
    ++written;
  }
  out += fmt::format("PointsCount={}\r\n", written);
  return out;
}

}  // namespace korvanta
