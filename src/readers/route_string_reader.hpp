#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "readers/plan_route.hpp"
#include "route/airports.hpp"

namespace korvanta {

// Whether the text is a route string ("EGLL BPK Q295 BRAIN L620 CLN DCT ...
// KJFK"): one or a few lines of identifiers, airway names and the groups of
// a filed route, and no route finder's heading.
bool LooksLikeRouteString(std::string_view bytes);

// The route a route string names, its points and airways resolved against
// the navigation data that `airports.navigation` gives (and its airports
// against the airport list); the error names the element and says why.
PlanReadResult ReadRouteString(std::string_view bytes, const AirportDatabase& airports);

// The runway written after the departure ("EGLL/27R" gives "27R"), which
// needs no navigation data; none when the string names none.
std::optional<std::string> RouteStringRunway(std::string_view bytes);

}  // namespace korvanta
