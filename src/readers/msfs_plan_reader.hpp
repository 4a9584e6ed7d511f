#pragma once

#include <string_view>

#include "readers/plan_route.hpp"
#include "route/airports.hpp"

namespace korvanta {

// The flight plan of FSX, Prepar3D, MSFS 2020 or MSFS 2024 (".pln", the XML
// document "SimBase.Document") read into the route: every ATCWaypoint in
// order, its identifier from ICAO/ICAOIdent or else its id, its kind from
// ATCWaypointType, its position and altitude from WorldPosition in any of the
// forms these programs write ("N50° 2' 0.00\",E8° 34' 14.00\",+000364.00",
// "N47* 27.48',W122* 18.55'", "54.285833 , -130.444678,+116.0"), and
// ATCAirway as the airway by which it is reached. Left out: the
// pseudo-waypoints TIMECLIMB and TIMEDSCNT, and the points of a departure,
// arrival or approach (DepartureFP, ArrivalFP, ApproachTypeFP), whose legs
// then follow no airway. An airway on either airport is ignored. An airport
// left out of the list (MSFS 2024 does so) is added from
// DepartureID/DepartureLLA or DestinationID/DestinationLLA; an airport without
// a position takes the airport list's, and any other point without one goes
// on with its region (ICAO/ICAORegion) for the navigation data to place. The header gives the
// cruise altitude and the airports' names; the departure runway comes from DepartureDetails, else
// from RunwayNumberFP and RunwayDesignatorFP on the departure ("16" and LEFT: "16L").
PlanReadResult ReadMsfsPlan(std::string_view bytes, const AirportDatabase& airports);

}  // namespace korvanta
