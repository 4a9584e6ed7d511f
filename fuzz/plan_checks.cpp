#include "plan_checks.hpp"

#include <variant>

#include "fuzz_support.hpp"
#include "route/position.hpp"
#include "text/numbers.hpp"

namespace korvanta::fuzz {

const PlanRoute* CheckPlanRead(const PlanReadResult& result) {
  if (const auto* error = std::get_if<PlanReadError>(&result)) {
    Require(!error->message.empty(), "an empty message");
    return nullptr;
  }
  const PlanRoute& route = std::get<PlanRoute>(result);
  const WaypointTable& waypoints = route.waypoints;
  Require(waypoints.Count() >= 2, "a route of fewer than two points");
  const Waypoint& first = waypoints[0];
  const Waypoint& last = waypoints[waypoints.Count() - 1];
  Require(first.kind == WaypointKind::kAirport && last.kind == WaypointKind::kAirport &&
              route.header.departure_icao == first.id && route.header.destination_icao == last.id,
          "the ends are not the header's airports");
  for (const Waypoint& row : waypoints) {
    Require(!row.id.empty(), "a point without identifier");
    Require(
        row.lat_fault == CoordinateFault::kNone && row.lon_fault == CoordinateFault::kNone &&
            row.position.latitude >= -kLatitudeLimit && row.position.latitude <= kLatitudeLimit &&
            row.position.longitude >= -kLongitudeLimit && row.position.longitude <= kLongitudeLimit,
        "a position off the globe");
    Require(row.lat == DmsLatitudeText(row.position.latitude) &&
                row.lon == DmsLongitudeText(row.position.longitude),
            "a shown position that is not the number's");
    const auto track = ReadInteger(row.track);
    const bool navaid = row.kind == WaypointKind::kVor || row.kind == WaypointKind::kNdb;
    Require(track && *track >= 0 && *track <= 359 && (row.freq == "0" || navaid),
            "a track out of 0-359 or a frequency on a point that is no navaid");
  }
  return &route;
}

// 180 degrees east and west are one meridian; GPX writes it as west.
bool SameLongitude(std::int32_t a, std::int32_t b) {
  return a == b || (a == -b && (a == kLongitudeLimit || a == -kLongitudeLimit));
}

WaypointKind WrittenKind(const RouteHeader& header, const WaypointTable& waypoints, std::size_t i,
                         WaypointKind other_airport) {
  const Waypoint& row = waypoints[i];
  if (i == 0 || i + 1 == waypoints.Count() || row.id == header.departure_icao ||
      row.id == header.destination_icao)
    return WaypointKind::kAirport;
  if (row.kind == WaypointKind::kVor || row.kind == WaypointKind::kNdb)
    return row.kind;
  return row.kind == WaypointKind::kAirport ? other_airport : WaypointKind::kIntersection;
}

void RequireSameRoute(const PlanRoute& route, const PlanReadResult& read_back,
                      const CarriedRoute& carried) {
  const PlanRoute* again = CheckPlanRead(read_back);
  Require(again != nullptr, "the writer's file does not read back");
  const WaypointTable& before = route.waypoints;
  const WaypointTable& after = again->waypoints;
  Require(before.Count() == after.Count(), "another number of points");
  for (std::size_t i = 0; i < before.Count(); ++i) {
    Require(before[i].id == after[i].id, "another identifier");
    Require(after[i].kind == carried.kind(route.header, before, i), "another kind");
    Require(before[i].position.latitude == after[i].position.latitude &&
                SameLongitude(before[i].position.longitude, after[i].position.longitude),
            "another position");
    if (carried.airway != nullptr) {
      Require(after[i].route == carried.airway(before, i), "another airway");
    }
  }
  if (carried.names) {
    Require(route.header.departure_name == again->header.departure_name &&
                route.header.destination_name == again->header.destination_name,
            "other airport names");
  }
}

}  // namespace korvanta::fuzz
