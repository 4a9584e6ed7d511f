// The FSX/MSFS plan reader over arbitrary bytes.
//
// Every input gives a message or a route of two points or more (see
// plan_checks.hpp). A route read is written again as an MSFS plan and read
// back: the same identifiers, kinds, positions, airways and airport names
// come back.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.hpp"
#include "plan_checks.hpp"
#include "readers/msfs_plan_reader.hpp"
#include "writers/msfs.hpp"

namespace {

korvanta::WaypointKind MsfsKind(const korvanta::RouteHeader& header,
                                const korvanta::WaypointTable& waypoints, std::size_t i) {
  return korvanta::fuzz::WrittenKind(header, waypoints, i, korvanta::WaypointKind::kAirport);
}

std::string SameAirway(const korvanta::WaypointTable& waypoints, std::size_t i) {
  return waypoints[i].route;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const korvanta::AirportDatabase kNoAirports;
  const korvanta::PlanReadResult result =
      korvanta::ReadMsfsPlan(korvanta::fuzz::AsText(data, size), kNoAirports);
  const korvanta::PlanRoute* route = korvanta::fuzz::CheckPlanRead(result);
  if (route == nullptr)
    return 0;
  const std::string plan = korvanta::WriteMsfsPlan(route->header, route->waypoints, route->runway);
  korvanta::fuzz::RequireSameRoute(*route, korvanta::ReadMsfsPlan(plan, kNoAirports),
                                   {MsfsKind, SameAirway, true});
  return 0;
}
