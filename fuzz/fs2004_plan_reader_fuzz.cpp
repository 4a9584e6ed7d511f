// The FS2004 plan reader over arbitrary bytes.
//
// Every input gives a message or a route of two points or more (see
// plan_checks.hpp). A route read whose identifiers and airways hold no comma
// is written again as an FS2004 plan and read back: the same identifiers
// (cut to the plan's six characters),
// kinds, airways (but those that read as a direct leg's marker) and airport
// elevations come back, and positions within the
// plan's 0.005 arc-minute.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_support.hpp"
#include "plan_checks.hpp"
#include "readers/fs2004_plan_reader.hpp"
#include "route/position.hpp"
#include "text/cp1252.hpp"
#include "writers/fs2004.hpp"
#include "writers/six_character_id.hpp"

namespace {

using korvanta::fuzz::Require;

constexpr std::int64_t kHalfHundredthMinute = korvanta::kHundredthsPerMinute / 200;

bool Near(std::int32_t a, std::int32_t b, std::int32_t turn) {
  const std::int64_t apart = std::llabs(std::int64_t{a} - b);
  return apart <= kHalfHundredthMinute || std::llabs(apart - turn) <= kHalfHundredthMinute;
}

bool HoldsComma(const korvanta::Waypoint& row) {
  return row.id.find(',') != std::string::npos || row.route.find(',') != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const korvanta::AirportDatabase kNoAirports;
  const korvanta::PlanReadResult result =
      korvanta::ReadFs2004Plan(korvanta::fuzz::AsText(data, size), kNoAirports);
  const korvanta::PlanRoute* route = korvanta::fuzz::CheckPlanRead(result);
  if (route == nullptr)
    return 0;
  const korvanta::WaypointTable& before = route->waypoints;
  for (const korvanta::Waypoint& row : before) {
    if (HoldsComma(row))
      return 0;
  }
  // The file is Windows-1252: only what it can hold comes back as it was.
  for (const korvanta::Waypoint& row : before) {
    if (korvanta::Cp1252ToUtf8(korvanta::Utf8ToCp1252(row.id + row.route)) != row.id + row.route)
      return 0;
  }
  const korvanta::Fs2004Plan plan = korvanta::WriteFs2004Plan(route->header, before, route->runway);
  const korvanta::PlanReadResult read_back =
      korvanta::ReadFs2004Plan(korvanta::Utf8ToCp1252(plan.plan_text), kNoAirports);
  const korvanta::PlanRoute* again = korvanta::fuzz::CheckPlanRead(read_back);
  Require(again != nullptr, "the written plan does not read back");
  const korvanta::WaypointTable& after = again->waypoints;
  Require(after.Count() == before.Count(), "another number of points");
  for (std::size_t i = 0; i < before.Count(); ++i) {
    // The plan holds six characters of an identifier; a cut that happens to
    // read as the point's own position names the point from it.
    Require(after[i].id == korvanta::SixCharacterId(before[i]) || after[i].named_from_position,
            "another identifier");
    Require(after[i].kind == before[i].kind, "another kind");
    // An airway cut to its width can end as a direct leg's marker ("DCT").
    Require(after[i].route == korvanta::AirwayFromVia(before[i].route), "another airway");
    Require(after[i].alt == before[i].alt, "another elevation");
    Require(Near(after[i].position.latitude, before[i].position.latitude, 0) &&
                Near(after[i].position.longitude, before[i].position.longitude,
                     2 * korvanta::kLongitudeLimit),
            "a position moved by more than the plan's precision");
  }
  return 0;
}
