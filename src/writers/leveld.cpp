#include "writers/leveld.hpp"

#include <cstddef>
#include <string_view>

#include "text/cp1252.hpp"
#include "text/numbers.hpp"
#include "text/text.hpp"
#include "writers/coordinate_text.hpp"
#include "writers/six_character_id.hpp"

namespace korvanta {

std::string WriteLevelDRoute(const RouteHeader& route_header,
                             const WaypointTable& route_waypoints) {
  const SixCharacterRoute route(route_header, route_waypoints);
  const RouteHeader& header = route.Header();
  const WaypointTable& waypoints = route.Waypoints();
  std::string out;
  // File content the add-on shows as the plan's origin, not the program's version.
  AppendCrLfLine(out, ";FlightPlan created   by Korvanta ver. 2.9");
  AppendCrLfLine(out, ";" + header.departure_name + " to " + header.destination_name);
  AppendCrLfLine(out, "");
  AppendCrLfLine(out, "H," + header.departure_icao + "," + header.destination_icao + ", ,");
  // The departure is the first row; every row named like the destination
  // is left out, wherever it stands.
  for (std::size_t i = 1; i < waypoints.Count(); ++i) {
    const Waypoint& row = waypoints[i];
    if (row.id == header.destination_icao)
      continue;
    const char* airway_flag = Trim(row.route).empty() ? "0" : "30";
    AppendCrLfLine(out, "W," + row.id + "," + row.route + "," + airway_flag + "," +
                            SixDecimalDegreesText(row.position.latitude) + "," +
                            SixDecimalDegreesText(row.position.longitude) + "," +
                            FormatFixed(ReadDecimal(row.freq).value_or(0.0), 6) + ",0,0,0,0");
  }
  AppendCrLfLine(out, "");
  AppendCrLfLine(out, "End of FlightPlan");
  return Utf8ToCp1252(out);
}

}  // namespace korvanta
