#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "route/position.hpp"

namespace korvanta {

// The identifiers that every target can hold: upper-case ASCII letters and
// digits, which no target's field separators, blanks or encodings can break.

// The identifier characters of a plan's free text (UTF-8): ASCII letters
// upper-cased, Latin letters with accents without them ("É" gives "E",
// "ß" gives "SS", "Æ" gives "AE"), digits kept, every other character
// dropped. Empty when nothing is left.
std::string IdentifierCharacters(std::string_view text);

// The identifier of a point that has none: "WP" and its number in the route,
// two digits at least ("WP03", "WP120").
std::string NumberedIdentifier(std::size_t number);

// The position a point's name gives, when the name is written as one:
// signed decimal degrees ("+46.500_-122.600", "46.5,-122.6") or degrees with
// packed or separated minutes and seconds and the hemisphere letters before
// or after each ("N46W122", "46N122W", "4630N12236W", "N4630.0W12236.0",
// "N46 30.0 W122 36.0", "N46°30'W122°36'"). Nothing for any other name.
std::optional<Position> PositionInName(std::string_view name);

// Whether `name` reads as a position within one arc-minute of `position`,
// in latitude and in longitude.
bool NamesPosition(std::string_view name, const Position& position);

// Whether an identifier is the seven-character name of whole degrees that
// route finders and track messages give a latitude/longitude point:
// "54N020W", two digits, N or S, three digits, E or W. Such a name is
// already one that every target can hold, and a route keeps it as given.
bool IsWholeDegreePositionName(std::string_view identifier);

// The compact name that flight plans give a latitude/longitude point: whole
// degrees and minutes, rounded to the minute, of the latitude (two and two
// digits), N or S, then of the longitude (three and two digits), E or W:
// "4630N12236W". A value that rounds to zero is north or east.
std::string LatitudeLongitudeName(const Position& position);

// The five-character form of the rounded whole degrees that navigation
// databases give such points, for targets that hold six characters: the
// latitude's two digits, the longitude's last two, and one letter for the
// quarter of the globe (N north-west, E north-east, S south-east, W
// south-west), after the longitude below 100 degrees and between the two at
// 100 or more: "5020N" for 50N 20W, "50N20" for 50N 120W.
std::string FiveCharacterPositionName(const Position& position);

}  // namespace korvanta
