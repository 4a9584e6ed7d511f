#include "writers/maddog.hpp"

#include <string_view>

#include "text/cp1252.hpp"
#include "text/text.hpp"
#include "writers/coordinate_text.hpp"
#include "writers/six_character_id.hpp"

namespace korvanta {

namespace {

constexpr std::string_view kDirect = "DIRECT";

}  // namespace

std::string WriteMadDogRoute(const RouteHeader& route_header,
                             const WaypointTable& route_waypoints) {
  const SixCharacterRoute route(route_header, route_waypoints);
  const RouteHeader& header = route.Header();
  const WaypointTable& waypoints = route.Waypoints();
  std::string out;
  AppendCrLfLine(out, header.departure_icao);
  AppendCrLfLine(out, header.destination_icao);
  // The airway of the last fix written; the departure airport is skipped.
  std::string previous;
  for (std::size_t i = 1; i < waypoints.Count(); ++i) {
    const Waypoint& fix = waypoints[i];
    if (fix.id == header.destination_icao)
      continue;
    if (!fix.route.empty() && fix.route == previous)
      continue;
    const std::string_view via = previous.empty() ? kDirect : std::string_view(previous);
    std::string line;
    line.append(via).append(" ").append(fix.id);
    line.append(" ").append(SixDecimalDegreesText(fix.position.latitude));
    line.append(" ").append(SixDecimalDegreesText(fix.position.longitude));
    AppendCrLfLine(out, line);
    previous = fix.route;
  }
  return Utf8ToCp1252(out);
}

}  // namespace korvanta
