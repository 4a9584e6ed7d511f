// A whole conversion run of a 300-point route into every target that the FS9
// selection offers (the Tu-154 plan store has its own benchmark), into a
// temporary folder tree. The numbered PMDG and FSNavigator files of an
// iteration are removed with the timer paused, so every run numbers 001.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "bench_routes.hpp"
#include "files/file_output.hpp"
#include "io/utf8_path.hpp"
#include "run/conversion_run.hpp"
#include "silent_front_end.hpp"

namespace {

using namespace korvanta;

std::string RouteText() {
  std::string text;
  for (const auto& line : bench::RouteLines())
    text += line + "\r\n";
  return text;
}

void BM_ConversionRunAllTargets(benchmark::State& state) {
  std::random_device rd;
  const auto root = std::filesystem::temp_directory_path() /
                    ("korvanta-bench-" + std::to_string(rd()) + std::to_string(rd()));
  for (const char* sub :
       {"app", "docs/Flight Simulator Files", "fs9/isg/FlightPlans",
        "fs9/ifly/737NG/navdata/Fltplan", "fs9/Level-D Simulations/navdata/Flightplans",
        "fs9/Pmdg/Flightplans", "fs9/Modules/FSNavigator/plan", "fs9/MADDOG2008/Routes", "fs9/Civa",
        "xplane11"}) {
    std::filesystem::create_directories(root / sub);
  }
  // Without a folder of its own the X-Plane 11/12 plan would go to the
  // current folder, wherever the benchmark is started.
  WriteWholeFile(root / "app" / "korvanta.ini",
                 "[Main]\r\nXPlane11Folder=" + PathToUtf8(root / "xplane11") + "\r\n");
  FixedFolderSource source;
  source.documents = root / "docs";
  source.fs9 = root / "fs9";
  source.fsx = root / "fsx";
  const FolderSet folders = BuildFolderSet(root / "app", source);
  AirportDatabase airports;
  LoadAirportLines("ALPHA INTL              EAAA                                           364\r\n",
                   airports);

  RunChoices choices;
  choices.runway = "25L";
  choices.plan_number = 7;
  for (const TargetDescriptor& descriptor : Targets()) {
    if (descriptor.target != Target::kTu154 && TargetAllowed(Simulator::kFs9, descriptor.target))
      choices.ticked.insert(descriptor.target);
  }
  const std::string text = RouteText();
  bench::SilentFrontEnd front;
  ConversionRun run(folders, airports, front);
  for (auto _ : state) {
    const RunOutcome outcome = run.Run(text, choices);
    if (outcome.end != RunEnd::kCompleted) {
      state.SkipWithError(front.last_message.c_str());
      break;
    }
    state.PauseTiming();
    for (const auto& file : outcome.written) {
      const auto ext = file.extension();
      if (ext == ".fsn" || (ext == ".rte" && file.parent_path().filename() == "Flightplans" &&
                            file.parent_path().parent_path().filename() == "Pmdg")) {
        std::filesystem::remove(file);
      }
    }
    state.ResumeTiming();
  }
  state.counters["targets"] = static_cast<double>(choices.ticked.size());
  std::filesystem::remove_all(root);
}
BENCHMARK(BM_ConversionRunAllTargets)->Unit(benchmark::kMillisecond);

}  // namespace
