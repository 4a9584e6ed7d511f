#include "run/route_check.hpp"

#include <fmt/format.h>

#include <string_view>

namespace korvanta {

namespace {

std::optional<std::string> Fault(const Waypoint& waypoint, std::string_view axis,
                                 std::string_view text, CoordinateFault fault) {
  switch (fault) {
    case CoordinateFault::kNone:
      return std::nullopt;
    case CoordinateFault::kDoesNotRead:
      return fmt::format("Waypoint {}: {} \"{}\" does not read", waypoint.id, axis, text);
    case CoordinateFault::kOutOfRange:
      return fmt::format("Waypoint {}: {} \"{}\" is out of range", waypoint.id, axis, text);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> RouteFault(const WaypointTable& waypoints) {
  for (const Waypoint& waypoint : waypoints) {
    if (auto fault = Fault(waypoint, "latitude", waypoint.lat, waypoint.lat_fault))
      return fault;
    if (auto fault = Fault(waypoint, "longitude", waypoint.lon, waypoint.lon_fault))
      return fault;
  }
  return std::nullopt;
}

}  // namespace korvanta
