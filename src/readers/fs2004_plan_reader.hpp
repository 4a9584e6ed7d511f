#pragma once

#include <string_view>

#include "readers/plan_route.hpp"
#include "route/airports.hpp"

namespace korvanta {

// Whether the text (without a byte-order mark and leading blanks) starts like
// an FS2004 flight plan: a first line "[flightplan]", any letter case.
bool StartsLikeFs2004Plan(std::string_view text);

// The FS2004 flight plan (".pln", the ini-style text that FS2004 and Korvanta
// write) read into the route. Of its "[flightplan]" section: every
// "waypoint.N=" line in the order of N, its comma fields the region, the
// identifier, a blank, the identifier again, the kind letter (A airport, V
// VOR, N NDB, anything else a fix), the latitude and longitude in degrees and
// minutes to the hundredth ("N51* 28.70'", "W000* 27.60'"), the altitude
// ("+000364.00") and the airway leaving the point; "cruising_altitude",
// "departure_position" when it names a runway ("16", "25L"),
// "departure_name" and "destination_name".
// Other sections ("[FSC]") and keys are read and ignored. The text is UTF-8
// when it is valid UTF-8, else Windows-1252 (which Korvanta writes).
PlanReadResult ReadFs2004Plan(std::string_view bytes, const AirportDatabase& airports);

}  // namespace korvanta
