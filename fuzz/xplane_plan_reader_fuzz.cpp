// The X-Plane plan reader over arbitrary bytes.
//
// Every input gives a message or a route of two points or more (see
// plan_checks.hpp). A route read whose identifiers have no blanks is written
// again as an X-Plane 11/12 plan and read back: the same identifiers, kinds,
// positions and airways (their blanks dropped, as the writer drops them; the
// last leg's is lost to "ADES") come back. Written as a version 3 plan it
// reads back with the identifiers cut to six characters, as that plan holds them.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.hpp"
#include "plan_checks.hpp"
#include "readers/xplane_plan_reader.hpp"
#include "text/text.hpp"
#include "writers/six_character_id.hpp"
#include "writers/xplane.hpp"
#include "writers/xplane11.hpp"

namespace {

using korvanta::RouteHeader;
using korvanta::WaypointTable;

korvanta::WaypointKind XPlaneKind(const RouteHeader& header, const WaypointTable& waypoints,
                                  std::size_t i) {
  return korvanta::fuzz::WrittenKind(header, waypoints, i, korvanta::WaypointKind::kIntersection);
}

// The plan names the airway by which a point is reached, without its blanks;
// the destination is reached by "ADES", so the last leg's airway is lost.
std::string XPlaneAirway(const WaypointTable& waypoints, std::size_t i) {
  if (i + 2 >= waypoints.Count())
    return {};
  return korvanta::AirwayFromVia(korvanta::WithoutBlanks(waypoints[i].route));
}

bool IsAscii(std::string_view bytes) {
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80)
      return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const korvanta::AirportDatabase kNoAirports;
  const korvanta::PlanReadResult result =
      korvanta::ReadXPlanePlan(korvanta::fuzz::AsText(data, size), kNoAirports);
  const korvanta::PlanRoute* route = korvanta::fuzz::CheckPlanRead(result);
  if (route == nullptr)
    return 0;
  const WaypointTable& waypoints = route->waypoints;
  if (std::any_of(waypoints.begin(), waypoints.end(), [](const korvanta::Waypoint& row) {
        return row.id.find_first_of(" \t") != std::string::npos;
      }))
    return 0;

  // The plan is Windows-1252: letters it lacks become "?", and bytes that
  // happen to read as UTF-8 are taken for it, as for every input. Only a
  // plain ASCII input comes back letter for letter.
  if (!IsAscii(korvanta::fuzz::AsText(data, size)))
    return 0;
  const std::string plan =
      korvanta::WriteXPlane11Fms(route->header, waypoints, route->runway, "2301");
  korvanta::fuzz::RequireSameRoute(*route, korvanta::ReadXPlanePlan(plan, kNoAirports),
                                   {XPlaneKind, XPlaneAirway, false});
  const std::string version_3 = korvanta::WriteXPlaneFms(route->header, waypoints);
  const korvanta::PlanReadResult read_back = korvanta::ReadXPlanePlan(version_3, kNoAirports);
  const korvanta::PlanRoute* again = korvanta::fuzz::CheckPlanRead(read_back);
  korvanta::fuzz::Require(again != nullptr && again->waypoints.Count() == waypoints.Count(),
                          "version 3: the plan does not read back");
  for (std::size_t i = 0; i < waypoints.Count(); ++i)
    korvanta::fuzz::Require(again->waypoints[i].id == korvanta::SixCharacterId(waypoints[i]),
                            "version 3: another identifier");
  return 0;
}
