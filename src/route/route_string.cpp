#include "route/route_string.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "route/identifiers.hpp"

namespace korvanta {

namespace {

constexpr std::string_view kDirect = "DCT";

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A North Atlantic track ("NATB"): its points change every day, so the
// track's name cannot be read back; its points are written instead.
bool IsNorthAtlanticTrack(std::string_view airway) {
  return airway.size() == 4 && airway.starts_with("NAT") && airway[3] >= 'A' && airway[3] <= 'Z';
}

// The name a point has only in this route ("WP03"), which no navigation
// data holds.
bool IsNumberedIdentifier(std::string_view id) {
  return id.size() >= 4 && id.starts_with("WP") && std::all_of(id.begin() + 2, id.end(), IsDigit);
}

// "5020N", "50N20": the shape of the five-character name of whole degrees.
bool HasFiveCharacterPositionShape(std::string_view id) {
  if (id.size() != 5 || !IsDigit(id[0]) || !IsDigit(id[1]))
    return false;
  const auto quarter = [](char c) {
    return std::string_view("NESW").find(c) != std::string_view::npos;
  };
  return (IsDigit(id[2]) && IsDigit(id[3]) && quarter(id[4])) ||
         (quarter(id[2]) && IsDigit(id[3]) && IsDigit(id[4]));
}

// Whether the place lies within a minute of whole degrees, in both axes.
bool AtWholeDegrees(const Position& position) {
  const auto near_whole = [](std::int32_t angle) {
    const std::int32_t rest = std::abs(angle) % kHundredthsPerDegree;
    return std::min(rest, kHundredthsPerDegree - rest) <= kHundredthsPerMinute;
  };
  return near_whole(position.latitude) && near_whole(position.longitude);
}

// Whether the identifier reads as a place other than the point's own: a
// plan may carry a name of rounded degrees ("5106E" for 50°30'N 6°E), which
// a route string would read back as that other place.
bool NamesAnotherPlace(const Waypoint& point) {
  if (HasFiveCharacterPositionShape(point.id))
    return FiveCharacterPositionName(point.position) != point.id || !AtWholeDegrees(point.position);
  return PositionInName(point.id) && !NamesPosition(point.id, point.position);
}

// The point as a route string names it: by its identifier, unless that
// names the point only within this route or reads as another place; then
// by its position.
std::string PointName(const Waypoint& point) {
  if (point.named_from_position || IsNumberedIdentifier(point.id) || NamesAnotherPlace(point))
    return LatitudeLongitudeName(point.position);
  return point.id;
}

// The airway that the leg leaving `point` is filed as: none for a direct
// leg or a track leg, whose points stand one by one.
std::string_view FiledAirway(const Waypoint& point) {
  return IsNorthAtlanticTrack(point.route) ? std::string_view() : std::string_view(point.route);
}

}  // namespace

std::string RouteString(const WaypointTable& waypoints) {
  const std::vector<Waypoint>& rows = waypoints.Rows();
  if (rows.empty())
    return {};
  std::vector<std::string> elements{PointName(rows.front())};
  // The en-route points are rows 1 to last - 1; the leg out of row i leads to
  // row i + 1. The legs from the departure and to the destination are the
  // aircraft's procedures and stay unnamed.
  const std::size_t last_en_route = rows.size() >= 3 ? rows.size() - 2 : 0;
  if (last_en_route >= 1)
    elements.push_back(PointName(rows[1]));
  for (std::size_t leg = 1; leg < last_en_route;) {
    const std::string_view airway = FiledAirway(rows[leg]);
    std::size_t leaves = leg + 1;
    if (airway.empty()) {
      elements.emplace_back(kDirect);
    } else {
      // Along the airway up to the point where the route leaves it.
      while (leaves < last_en_route && rows[leaves].route == airway)
        ++leaves;
      elements.emplace_back(airway);
    }
    elements.push_back(PointName(rows[leaves]));
    leg = leaves;
  }
  if (rows.size() >= 2)
    elements.push_back(PointName(rows.back()));

  std::string text;
  for (const std::string& element : elements) {
    if (!text.empty())
      text += ' ';
    text += element;
  }
  return text;
}

}  // namespace korvanta
