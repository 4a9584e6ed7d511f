#pragma once

#include <string_view>

#include "readers/input_kind.hpp"
#include "readers/plan_route.hpp"
#include "route/airports.hpp"

namespace korvanta {

// The route of a plan of the given kind, read by that kind's reader.
// Route-finder text is no plan: kText gives "Wrong format".
PlanReadResult ReadPlan(InputKind kind, std::string_view bytes, const AirportDatabase& airports);

}  // namespace korvanta
