#include "writers/six_character_id.hpp"

#include <algorithm>

#include "route/identifiers.hpp"
#include "text/utf8.hpp"

namespace korvanta {

namespace {

constexpr std::size_t kSixCharacters = 6;

bool KeepsItsId(const Waypoint& row) {
  return !row.named_from_position && CharacterCount(row.id) <= kSixCharacters;
}

}  // namespace

std::string SixCharacterId(const Waypoint& row) {
  if (row.named_from_position)
    return FiveCharacterPositionName(row.position);
  return CutToWidth(row.id, kSixCharacters);
}

RouteHeader SixCharacterHeader(const RouteHeader& header) {
  const auto cut = [](const std::string& id, const Position& position) {
    return id == LatitudeLongitudeName(position) ? FiveCharacterPositionName(position)
                                                 : CutToWidth(id, kSixCharacters);
  };
  RouteHeader six = header;
  six.departure_icao = cut(header.departure_icao, header.departure_position);
  six.destination_icao = cut(header.destination_icao, header.destination_position);
  return six;
}

SixCharacterRoute::SixCharacterRoute(const RouteHeader& header, const WaypointTable& waypoints)
    : header_in_(header), waypoints_in_(waypoints) {
  if (std::all_of(waypoints.begin(), waypoints.end(), KeepsItsId) &&
      CharacterCount(header.departure_icao) <= kSixCharacters &&
      CharacterCount(header.destination_icao) <= kSixCharacters)
    return;
  WaypointTable& cut_rows = waypoints_.emplace();
  for (Waypoint row : waypoints) {
    row.id = SixCharacterId(row);
    cut_rows.Append(std::move(row));
  }
  header_.emplace(SixCharacterHeader(header));
}

}  // namespace korvanta
