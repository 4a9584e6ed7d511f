// The route string reader over arbitrary bytes, against a small navigation
// data set (two points of one name, airways that cross) and airport list.
//
// Every input gives a message or a route of two points or more (see
// plan_checks.hpp), and a text of a route string's shape is detected as one.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.hpp"
#include "navdata/navigation_source.hpp"
#include "plan_checks.hpp"
#include "readers/input_kind.hpp"
#include "readers/route_string_reader.hpp"

namespace {

using korvanta::PointIndex;
using korvanta::Position;
using korvanta::WaypointKind;

Position At(int latitude, int longitude) {
  return {latitude * korvanta::kHundredthsPerMinute, longitude * korvanta::kHundredthsPerMinute};
}

korvanta::NavigationData FuzzData() {
  korvanta::NavigationData data;
  const PointIndex alfa = data.AddPoint("ALFA", "ED", WaypointKind::kIntersection, At(3000, 500));
  const PointIndex bravo = data.AddPoint("BRAVO", "ED", WaypointKind::kVor, At(3020, 430), 11430);
  const PointIndex charl = data.AddPoint("CHARL", "ED", WaypointKind::kNdb, At(3040, 400), 3385);
  const PointIndex delta = data.AddPoint("DELTA", "ED", WaypointKind::kIntersection, At(3060, 460));
  data.AddPoint("ALFA", "KZ", WaypointKind::kIntersection, At(-600, -3600));
  data.AddAirwayLeg("A1", alfa, bravo);
  data.AddAirwayLeg("A1", bravo, charl);
  data.AddAirwayLeg("B2", delta, bravo);
  data.cycle = "2613";
  data.Finish();
  return data;
}

const korvanta::AirportDatabase& Airports() {
  static const korvanta::NavigationSource source(FuzzData());
  static const korvanta::AirportDatabase airports = [] {
    korvanta::AirportDatabase db;
    korvanta::LoadAirportLines(
        "ALPHA INTL              EAAA27R12799270N50.000000E008.500000           364\n"
        "BETA FIELD              EBBB27R12799270N50.900000E005.250000            50\n",
        db);
    db.navigation = &source;
    return db;
  }();
  return airports;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = korvanta::fuzz::AsText(data, size);
  korvanta::fuzz::CheckPlanRead(korvanta::ReadRouteString(text, Airports()));
  const std::string_view stripped = korvanta::WithoutByteOrderMarkAndBlanks(text);
  korvanta::fuzz::Require(!korvanta::LooksLikeRouteString(stripped) ||
                              korvanta::DetectInputKind(text) == korvanta::InputKind::kRoute,
                          "a route string's shape that detection gives another kind");
  return 0;
}
