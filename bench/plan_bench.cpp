// Reading the plans of other programs: the generated 300-point route written
// as an MSFS plan, an X-Plane 11/12 plan and a GPX route, then read back by
// each kind's reader; and a whole conversion run from such a plan, which
// reads the plan once for both of its readings and its runway.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <variant>

#include "bench_routes.hpp"
#include "files/file_output.hpp"
#include "readers/plan_reader.hpp"
#include "readers/route_text_parser.hpp"
#include "run/conversion_run.hpp"
#include "run/input_source.hpp"
#include "silent_front_end.hpp"
#include "writers/gpx.hpp"
#include "writers/msfs.hpp"
#include "writers/xplane11.hpp"

namespace {

using namespace korvanta;

// The generated route as a plan of `kind`.
std::string PlanBytes(InputKind kind) {
  const AirportDatabase airports;
  RouteHeader header;
  WaypointTable waypoints;
  ParseRoute(bench::RouteLines(), {}, airports, waypoints, header);
  switch (kind) {
    case InputKind::kPln:
      return WriteMsfsPlan(header, waypoints, "25L");
    case InputKind::kFms:
      return WriteXPlane11Fms(header, waypoints, "25L", "2613");
    default:
      return WriteGpxRoute(header, waypoints);
  }
}

void BM_ReadPlan(benchmark::State& state) {
  const auto kind = static_cast<InputKind>(state.range(0));
  const std::string bytes = PlanBytes(kind);
  const AirportDatabase airports;
  for (auto _ : state) {
    PlanReadResult result = ReadPlan(kind, bytes, airports);
    if (!std::holds_alternative<PlanRoute>(result)) {
      state.SkipWithError("the plan does not read");
      break;
    }
    benchmark::DoNotOptimize(result);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadPlan)
    ->Arg(static_cast<int>(InputKind::kPln))
    ->Arg(static_cast<int>(InputKind::kFms))
    ->Arg(static_cast<int>(InputKind::kGpx))
    ->Unit(benchmark::kMicrosecond);

// Into the targets whose writers take both readings (PMDG the decimal one),
// from an MSFS plan.
void BM_ConversionRunFromPlan(benchmark::State& state) {
  std::random_device rd;
  const auto root = std::filesystem::temp_directory_path() /
                    ("korvanta-bench-" + std::to_string(rd()) + std::to_string(rd()));
  for (const char* sub : {"app", "docs", "fs9/Pmdg/Flightplans"})
    std::filesystem::create_directories(root / sub);
  FixedFolderSource folder_source;
  folder_source.documents = root / "docs";
  folder_source.fs9 = root / "fs9";
  folder_source.fsx = root / "fsx";
  const FolderSet folders = BuildFolderSet(root / "app", folder_source);
  const AirportDatabase airports;
  RunChoices choices;
  choices.ticked = {Target::kGpx, Target::kPmdg};
  const std::string plan = PlanBytes(InputKind::kPln);
  bench::SilentFrontEnd front;
  ConversionRun run(folders, airports, front);
  for (auto _ : state) {
    // A new source each run, as each run of the window or the command line
    // takes its input afresh.
    const InputSource input = MakeInputSource(plan);
    const RunOutcome outcome = run.Run(*input.source, choices);
    if (outcome.end != RunEnd::kCompleted) {
      state.SkipWithError(front.last_message.c_str());
      break;
    }
    state.PauseTiming();
    for (const auto& file : outcome.written) {
      if (file.extension() == ".rte")
        std::filesystem::remove(file);
    }
    state.ResumeTiming();
  }
  std::filesystem::remove_all(root);
}
BENCHMARK(BM_ConversionRunFromPlan)->Unit(benchmark::kMillisecond);

}  // namespace
