// The navigation index of a whole world's FMC data folder: its load, and the
// load with a route string of 30 elements resolved against it, as one run
// that reads a route string does both.

#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <variant>

#include "navdata/navigation_files.hpp"
#include "navdata/navigation_source.hpp"
#include "readers/route_string_reader.hpp"
#include "route/airports.hpp"
#include "synthetic_navigation.hpp"

namespace {

// Made once for every case of this program, and removed at its end.
const korvanta::bench::SyntheticFmcFolder& Folder() {
  static const korvanta::bench::SyntheticFmcFolder folder;
  return folder;
}

void BM_LoadFmcNavigation(benchmark::State& state) {
  const auto& folder = Folder();
  std::size_t points = 0;
  std::size_t legs = 0;
  for (auto _ : state) {
    korvanta::NavigationLoadResult result = korvanta::LoadFmcNavigation(folder.Path());
    if (const auto* error = std::get_if<korvanta::NavigationLoadError>(&result)) {
      state.SkipWithError(error->message.c_str());
      return;
    }
    const auto& data = std::get<korvanta::NavigationData>(result);
    points = data.PointCount();
    legs = data.AirwayLegCount();
    benchmark::DoNotOptimize(result);
  }
  state.counters["points"] = static_cast<double>(points);
  state.counters["airway_legs"] = static_cast<double>(legs);
}
BENCHMARK(BM_LoadFmcNavigation)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_LoadAndReadRouteString(benchmark::State& state) {
  const auto& folder = Folder();
  korvanta::AirportDatabase airports;
  korvanta::LoadAirportLines(folder.AirportLines(), airports);
  bool read = false;
  for (auto _ : state) {
    korvanta::NavigationLoadResult result = korvanta::LoadFmcNavigation(folder.Path());
    if (const auto* error = std::get_if<korvanta::NavigationLoadError>(&result)) {
      state.SkipWithError(error->message.c_str());
      return;
    }
    const korvanta::NavigationSource source(std::get<korvanta::NavigationData>(std::move(result)));
    airports.navigation = &source;
    const korvanta::PlanReadResult route =
        korvanta::ReadRouteString(folder.RouteString(), airports);
    read = std::holds_alternative<korvanta::PlanRoute>(route);
    airports.navigation = nullptr;
    benchmark::DoNotOptimize(route);
  }
  // 0 until the route string reader resolves routes.
  state.counters["route_read"] = read ? 1 : 0;
}
BENCHMARK(BM_LoadAndReadRouteString)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
