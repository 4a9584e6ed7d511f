// The GPX reader over arbitrary bytes.
//
// Every input gives a message or a route of two points or more (see
// plan_checks.hpp). A route read is written again as a GPX route and read
// back: the same identifiers, kinds, positions, airways and airport names
// come back.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.hpp"
#include "plan_checks.hpp"
#include "readers/gpx_reader.hpp"
#include "writers/gpx.hpp"

namespace {

korvanta::WaypointKind GpxKind(const korvanta::RouteHeader& header,
                               const korvanta::WaypointTable& waypoints, std::size_t i) {
  return korvanta::fuzz::WrittenKind(header, waypoints, i, korvanta::WaypointKind::kAirport);
}

// Korvanta's own GPX file gives every en-route airway back as the table holds it.
std::string SameAirway(const korvanta::WaypointTable& waypoints, std::size_t i) {
  return waypoints[i].route;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const korvanta::AirportDatabase kNoAirports;
  const korvanta::PlanReadResult result =
      korvanta::ReadGpxRoute(korvanta::fuzz::AsText(data, size), kNoAirports);
  const korvanta::PlanRoute* route = korvanta::fuzz::CheckPlanRead(result);
  if (route == nullptr)
    return 0;
  const std::string file = korvanta::WriteGpxRoute(route->header, route->waypoints);
  korvanta::fuzz::RequireSameRoute(*route, korvanta::ReadGpxRoute(file, kNoAirports),
                                   {GpxKind, SameAirway, true});
  return 0;
}
