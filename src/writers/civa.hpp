#pragma once

#include <string>
#include <vector>

#include "route/tables.hpp"

namespace korvanta {

// One waypoint data card of the Carousel IV-AC INS.
struct CivaCard {
  std::string file_name;  // departure_icao-destination_icao + card number + ".AWC"
  std::string text;       // Windows-1252, CR LF line ends; the last line ";" has none
};

// The most waypoints one card holds.
inline constexpr int kCivaCardWaypoints = 9;

// The INS cards of a route parsed in text mode: the en-route waypoints (not
// the two airports) in order, nine to a card, cards numbered from 01. A new
// card is opened right after a card's ninth waypoint, so a route of nine
// waypoints gives a second card without waypoints.
std::vector<CivaCard> WriteCivaCards(const RouteHeader& header, const WaypointTable& waypoints);

}  // namespace korvanta
