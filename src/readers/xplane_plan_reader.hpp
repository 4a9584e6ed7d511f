#pragma once

#include <string_view>

#include "readers/plan_route.hpp"
#include "route/airports.hpp"

namespace korvanta {

// The X-Plane flight plan (".fms") read into the route: version 3
// ("type identifier altitude latitude longitude" rows) or version 11/12
// ("type identifier via altitude latitude longitude" rows after the header of
// ADEP/DEP, DEPRWY, ADES/DES and NUMENR lines). A row of more fields than its
// version has is refused, naming its line; a NUMENR count that disagrees with
// the rows gives a note, and the rows are read. Types 1 airport, 2 NDB, 3 VOR,
// anything else a fix. A version 11/12 row names the airway by which it is
// reached. The airports' altitudes give their elevations (in version 3, where
// writers put 0 for none, a 0 leaves it to the airport list), and the
// cruise altitude is the highest en-route altitude. Procedure lines (SID,
// STAR, APP, their transitions, DESRWY, CYCLE) are read and ignored.
PlanReadResult ReadXPlanePlan(std::string_view bytes, const AirportDatabase& airports);

}  // namespace korvanta
