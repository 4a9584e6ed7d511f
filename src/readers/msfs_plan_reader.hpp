#pragma once

#include <string_view>

#include "readers/plan_route.hpp"
#include "route/airports.hpp"

namespace korvanta {

// The flight plan of FSX, Prepar3D, MSFS 2020 or MSFS 2024 (".pln", the XML
// document "SimBase.Document") read into the route: every ATCWaypoint in
// order (the pseudo-waypoints TIMECLIMB and TIMEDSCNT skipped), its
// identifier from ICAO/ICAOIdent or else its id, its kind from
// ATCWaypointType, its position and altitude from WorldPosition in any of the
// forms these programs write ("N50° 2' 0.00\",E8° 34' 14.00\",+000364.00"),
// and ATCAirway as the airway by which it is reached. An airport left out of
// the list (MSFS 2024 does so) is added from DepartureID/DepartureLLA or
// DestinationID/DestinationLLA. The header gives the cruise altitude and the
// airports' names; RunwayNumberFP and RunwayDesignatorFP on the departure give
// the runway ("16" and LEFT: "16L").
PlanReadResult ReadMsfsPlan(std::string_view bytes, const AirportDatabase& airports);

}  // namespace korvanta
