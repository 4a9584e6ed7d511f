#pragma once

#include <string_view>

#include "readers/plan_route.hpp"
#include "route/airports.hpp"

namespace korvanta {

// The X-Plane flight plan (".fms") read into the route: version 3
// ("type identifier altitude latitude longitude" rows) or version 11/12
// ("type identifier via altitude latitude longitude" rows after the header of
// ADEP/DEP, DEPRWY, ADES/DES and NUMENR lines, whose count must match the
// rows). Types 1 airport, 2 NDB, 3 VOR, anything else a fix. A version 11/12
// row names the airway by which it is reached, and its altitudes give the
// airports' elevations and the cruise altitude; version 3 altitudes are
// ignored (writers put 0 there). Procedure lines (SID, STAR, APP, their
// transitions, DESRWY, CYCLE) are read and ignored.
PlanReadResult ReadXPlanePlan(std::string_view bytes, const AirportDatabase& airports);

}  // namespace korvanta
