// Building the map's primitives for the generated 300-point route at
// 1000 x 700 pixels over land of 100,000 points (synthetic rings spread over
// the whole globe, of the size of the built-in fine land), and writing
// them as SVG.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "bench_routes.hpp"
#include "map/map_builder.hpp"
#include "map/map_svg.hpp"
#include "readers/route_text_parser.hpp"
#include "route/airports.hpp"

namespace {

using korvanta::GeoPoint;
using korvanta::MapLand;
using korvanta::WaypointTable;

constexpr std::size_t kLandPoints = 100000;

// Round islands three degrees across, every 10 degrees of latitude and 12
// of longitude.
korvanta::LandShapes SyntheticLand() {
  korvanta::LandShapes land;
  std::vector<GeoPoint> centres;
  for (int latitude = -80; latitude <= 80; latitude += 10) {
    for (int longitude = -180; longitude < 180; longitude += 12)
      centres.push_back({static_cast<double>(latitude), static_cast<double>(longitude)});
  }
  const std::size_t ring_points = kLandPoints / centres.size();
  for (const GeoPoint centre : centres) {
    std::vector<GeoPoint> ring;
    for (std::size_t index = 0; index < ring_points; ++index) {
      const double angle = 2 * 3.141592653589793 * static_cast<double>(index) / ring_points;
      ring.push_back(
          {centre.latitude + 1.5 * std::sin(angle), centre.longitude + 1.5 * std::cos(angle)});
    }
    land.rings.push_back(std::move(ring));
  }
  return land;
}

WaypointTable BenchRoute() {
  WaypointTable waypoints;
  korvanta::RouteHeader header;
  korvanta::ParseRoute(korvanta::bench::RouteLines(), {korvanta::ParseMode::kText, false},
                       korvanta::AirportDatabase{}, waypoints, header);
  return waypoints;
}

void BM_BuildMapPicture(benchmark::State& state) {
  const WaypointTable route = BenchRoute();
  const MapLand land{SyntheticLand(), SyntheticLand()};
  if (route.Count() != korvanta::bench::kRoutePoints) {
    state.SkipWithError("the generated route did not parse");
    return;
  }
  for (auto _ : state)
    benchmark::DoNotOptimize(korvanta::BuildMapPicture(route, {1000, 700, 24}, land));
}
BENCHMARK(BM_BuildMapPicture)->Unit(benchmark::kMillisecond);

// The same over the land built into the program, as the windows and the
// command line draw it.
void BM_BuildMapPictureOverBuiltInLand(benchmark::State& state) {
  const WaypointTable route = BenchRoute();
  const MapLand land = korvanta::BuiltInMapLand();
  for (auto _ : state)
    benchmark::DoNotOptimize(korvanta::BuildMapPicture(route, {1000, 700, 24}, land));
}
BENCHMARK(BM_BuildMapPictureOverBuiltInLand)->Unit(benchmark::kMillisecond);

void BM_MapSvg(benchmark::State& state) {
  const korvanta::MapPicture picture =
      korvanta::BuildMapPicture(BenchRoute(), {1000, 700, 24}, {SyntheticLand(), SyntheticLand()});
  for (auto _ : state)
    benchmark::DoNotOptimize(korvanta::MapSvg(picture));
}
BENCHMARK(BM_MapSvg)->Unit(benchmark::kMillisecond);

}  // namespace
