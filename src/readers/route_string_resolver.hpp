#pragma once

#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "navdata/navigation_data.hpp"
#include "readers/plan_route.hpp"
#include "readers/route_string_elements.hpp"
#include "route/position.hpp"

namespace korvanta {

using RoutePointsResult = std::variant<std::vector<PlanPoint>, PlanReadError>;

// The points that a route string's elements between its airports name, in
// flying order, each with its kind, frequency and the airway leaving it:
// - a name that several points carry is the one nearest to the point before
//   it (the departure for the first); when an airway follows, one on that
//   airway;
// - an airway between two of its points gives every point between them, in
//   either direction of its listing;
// - a word that is no point and no airway, next to an airport, is the SID or
//   STAR and is left out: that leg has no airway;
// - a latitude/longitude point is placed by its position and named from it
//   (the whole-degree name "54N020W" is kept as the route finder's text
//   keeps it).
// The error names the element and says why.
RoutePointsResult ResolveRouteElements(std::span<const RouteElement> elements,
                                       const NavigationData& data, std::string_view departure,
                                       Position departure_position);

// Whether resolving the elements needs the navigation data: whether they
// name anything but positions and direct legs.
bool NamesNavigationPoints(std::span<const RouteElement> elements);

}  // namespace korvanta
