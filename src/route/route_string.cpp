#include "route/route_string.hpp"

namespace korvanta {

std::string RouteString(const WaypointTable& waypoints) {
  std::string text;
  for (const Waypoint& point : waypoints) {
    if (!text.empty())
      text += ' ';
    text += point.id;
  }
  return text;
}

}  // namespace korvanta
