#include "readers/route_string_reader.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "navdata/navigation_source.hpp"
#include "readers/route_string_elements.hpp"
#include "readers/route_string_resolver.hpp"

namespace korvanta {

namespace {

// The route's two airports as points, and the names that X-Plane's airport
// file gives them (the airport list's names MakePlanRoute takes itself).
struct AirportEnds {
  std::array<PlanPoint, 2> points;
  std::array<std::string, 2> names;
};

using AirportEndsResult = std::variant<AirportEnds, PlanReadError>;

PlanPoint AirportPoint(const std::string& icao, Position position) {
  PlanPoint point;
  point.id = icao;
  point.kind = WaypointKind::kAirport;
  point.lat = position.latitude;
  point.lon = position.longitude;
  point.position_text = icao;
  return point;
}

// The airports from the airport list; without the list, from X-Plane's
// airport file, scanned once for both.
AirportEndsResult FindAirports(const RouteStringParts& parts, const AirportDatabase& airports) {
  const std::array<std::string, 2> icaos = {parts.departure, parts.destination};
  std::vector<XPlaneAirport> xplane;
  if (!airports.airports_loaded && airports.navigation != nullptr)
    xplane = airports.navigation->XPlaneAirports(icaos);
  AirportEnds ends;
  for (std::size_t end = 0; end < icaos.size(); ++end) {
    const std::string& icao = icaos[end];
    if (airports.airports_loaded) {
      const std::optional<Position> location = airports.Location(icao);
      if (!location)
        return PlanReadError{fmt::format("{}: no such airport in the airport list", icao)};
      ends.points[end] = AirportPoint(icao, *location);
      continue;
    }
    const auto found =
        std::find_if(xplane.begin(), xplane.end(),
                     [&icao](const XPlaneAirport& airport) { return airport.icao == icao; });
    if (found == xplane.end())
      return PlanReadError{fmt::format(
          "{}: no such airport: no airport list is loaded, and X-Plane's airports do not hold it",
          icao)};
    ends.points[end] = AirportPoint(icao, found->position);
    ends.points[end].altitude = found->elevation;
    ends.names[end] = found->name;
  }
  return ends;
}

}  // namespace

bool LooksLikeRouteString(std::string_view bytes) {
  return HasRouteStringShape(bytes);
}

std::optional<std::string> RouteStringRunway(std::string_view bytes) {
  const RouteStringSplit split = SplitRouteString(bytes);
  const auto* parts = std::get_if<RouteStringParts>(&split);
  if (parts == nullptr || parts->runway.empty())
    return std::nullopt;
  return parts->runway;
}

PlanReadResult ReadRouteString(std::string_view bytes, const AirportDatabase& airports) {
  const RouteStringSplit split = SplitRouteString(bytes);
  if (const auto* error = std::get_if<PlanReadError>(&split))
    return *error;
  const RouteStringParts& parts = std::get<RouteStringParts>(split);
  const AirportEndsResult found = FindAirports(parts, airports);
  if (const auto* error = std::get_if<PlanReadError>(&found))
    return *error;
  const AirportEnds& ends = std::get<AirportEnds>(found);

  // Positions and direct legs alone need no navigation data.
  const NavigationData no_data;
  const NavigationData* data = &no_data;
  if (NamesNavigationPoints(parts.between)) {
    if (airports.navigation == nullptr)
      return PlanReadError{"No navigation data"};
    data = airports.navigation->Data();
    if (data == nullptr)
      return PlanReadError{airports.navigation->Problem()};
  }
  RoutePointsResult resolved =
      ResolveRouteElements(parts.between, *data, parts.departure,
                           {static_cast<std::int32_t>(*ends.points[0].lat),
                            static_cast<std::int32_t>(*ends.points[0].lon)});
  if (auto* error = std::get_if<PlanReadError>(&resolved))
    return std::move(*error);

  std::vector<PlanPoint>& en_route = std::get<std::vector<PlanPoint>>(resolved);
  std::vector<PlanPoint> points;
  points.reserve(en_route.size() + 2);
  points.push_back(ends.points[0]);
  std::move(en_route.begin(), en_route.end(), std::back_inserter(points));
  points.push_back(ends.points[1]);
  PlanHeaderValues values;
  values.departure_name = ends.names[0];
  values.destination_name = ends.names[1];
  values.cruise_altitude = parts.first_level;
  values.runway = parts.runway;
  return MakePlanRoute(std::move(points), values, airports);
}

}  // namespace korvanta
