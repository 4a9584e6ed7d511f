// The GPX reader over arbitrary bytes.
//
// Every input gives a message or a route of two points or more (see
// plan_checks.hpp). A route read is written again as a GPX route and read
// back: the same identifiers, kinds, positions, airways and airport names
// come back.

#include <algorithm>
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

// The airway as the file gives it back: a description is an airway only when
// it holds a digit, and the table's cut may have left none ("UNxxxxxxxxxx").
std::string SameAirway(const korvanta::WaypointTable& waypoints, std::size_t i) {
  const std::string& airway = waypoints[i].route;
  const bool digit =
      std::any_of(airway.begin(), airway.end(), [](char c) { return c >= '0' && c <= '9'; });
  return digit ? airway : std::string();
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
