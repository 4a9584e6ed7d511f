// Peak memory of the parse, of a whole conversion run and of the plan-store
// merge on extreme inputs, and of the navigation index of a whole world.
//
// This program replaces the global operator new and delete to count the
// bytes that are live, and reports the highest count above the count at the
// start of the measured step ("peak_bytes"), and that peak per byte of the
// input ("peak_per_input_byte"). The input itself is made before the step
// and is not counted. It is a program of its own so that the counting does
// not touch the timings of the other benchmarks.

#include <benchmark/benchmark.h>
#include <fmt/format.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "files/file_output.hpp"
#include "files/plan_store.hpp"
#include "io/utf8_path.hpp"
#include "navdata/navigation_files.hpp"
#include "navdata/navigation_source.hpp"
#include "readers/input_kind.hpp"
#include "readers/plan_route.hpp"
#include "readers/route_string_reader.hpp"
#include "readers/route_text_parser.hpp"
#include "route/airports.hpp"
#include "route/tables.hpp"
#include "run/conversion_run.hpp"
#include "run/input_source.hpp"
#include "settings/folder_source.hpp"
#include "silent_front_end.hpp"
#include "synthetic_navigation.hpp"
#include "writers/tu154_store.hpp"

namespace {

// The allocation counts live in the replaced allocator, which has no object
// to hang them on.
std::atomic<std::size_t> live_bytes{0};
std::atomic<std::size_t> peak_bytes{0};

// Every block carries its size in front, at the alignment new guarantees.
constexpr std::size_t kHeader = __STDCPP_DEFAULT_NEW_ALIGNMENT__;

void* CountedAllocate(std::size_t size) {
  void* block = std::malloc(size + kHeader);
  if (block == nullptr)
    throw std::bad_alloc();
  *static_cast<std::size_t*>(block) = size;
  const std::size_t now = live_bytes.fetch_add(size, std::memory_order_relaxed) + size;
  std::size_t peak = peak_bytes.load(std::memory_order_relaxed);
  while (now > peak && !peak_bytes.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
  }
  return static_cast<char*>(block) + kHeader;
}

void CountedFree(void* pointer) {
  if (pointer == nullptr)
    return;
  void* block = static_cast<char*>(pointer) - kHeader;
  live_bytes.fetch_sub(*static_cast<std::size_t*>(block), std::memory_order_relaxed);
  std::free(block);
}

// Measures the peak of `step` above what is live when it starts.
template <typename Step>
std::size_t PeakOf(Step&& step) {
  const std::size_t base = live_bytes.load();
  peak_bytes.store(base);
  step();
  return peak_bytes.load() - base;
}

void Report(benchmark::State& state, std::size_t peak, std::size_t input_size) {
  state.counters["peak_bytes"] = static_cast<double>(peak);
  state.counters["input_bytes"] = static_cast<double>(input_size);
  state.counters["peak_per_input_byte"] =
      static_cast<double>(peak) / static_cast<double>(input_size);
}

constexpr std::size_t kRouteTextBytes = 50'000'000;
constexpr std::size_t kStoreBytes = 192'000'000;

// A route text whose chain is one line of short points ("AB>AB>..."), the
// worst case for anything kept per point.
std::string SingleChainLineRoute(bool with_heading) {
  std::string text;
  text.reserve(kRouteTextBytes + 256);
  if (with_heading) {
    text += "Computed route from ALPHA (EAAA) to BETA (EBBB) (9999 nm)\r\n";
    text += "Cruise altitude between FL330 and FL350\r\n";
  }
  while (text.size() < kRouteTextBytes)
    text += "AB>";
  text += "\r\n";
  return text;
}

void ParseSingleChainLine(benchmark::State& state, bool with_heading) {
  const std::string text = SingleChainLineRoute(with_heading);
  const korvanta::AirportDatabase airports;
  std::size_t peak = 0;
  for (auto _ : state) {
    peak = PeakOf([&] {
      const std::vector<std::string> lines = korvanta::SplitLines(text);
      korvanta::WaypointTable waypoints;
      korvanta::RouteHeader header;
      benchmark::DoNotOptimize(korvanta::ParseRoute(lines, {}, airports, waypoints, header));
    });
  }
  Report(state, peak, text.size());
}

// A plan store of 98 plans; every point line as the Tu-154 writer writes it.
std::string LargeStore() {
  std::string store;
  store.reserve(kStoreBytes + 256);
  const std::size_t per_plan = kStoreBytes / 98;
  for (int plan = 1; plan <= 99; ++plan) {
    if (plan == 50)
      continue;
    store += fmt::format("[FPL.{}]\r\n", plan);
    const std::size_t plan_end = store.size() + per_plan;
    for (int point = 0; store.size() < plan_end; ++point) {
      store += fmt::format("Point.{}=TYPE=[3] ICAO_ID=[P{}] Lat=[55.500000] Lon=[37.250000]\r\n",
                           point, point);
    }
  }
  return store;
}

std::string NewPlan() {
  std::string plan = "[FPL.50]\r\n";
  for (int point = 0; point < 300; ++point)
    plan += fmt::format("Point.{}=TYPE=[3] ICAO_ID=[N{}] Lat=[1.500000] Lon=[2.250000]\r\n", point,
                        point);
  return plan + "PointsCount=300\r\n";
}

void BM_ParseSingleChainLineWithoutCruise(benchmark::State& state) {
  ParseSingleChainLine(state, false);
}
BENCHMARK(BM_ParseSingleChainLineWithoutCruise)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ParseSingleChainLineAfterCruise(benchmark::State& state) {
  ParseSingleChainLine(state, true);
}
BENCHMARK(BM_ParseSingleChainLineAfterCruise)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_MergeLargePlanStore(benchmark::State& state) {
  const std::string store = LargeStore();
  const std::string plan = NewPlan();
  std::size_t peak = 0;
  for (auto _ : state) {
    peak = PeakOf([&] { benchmark::DoNotOptimize(korvanta::MergePlanStore(store, plan)); });
  }
  Report(state, peak, store.size());
}
BENCHMARK(BM_MergeLargePlanStore)->Iterations(1)->Unit(benchmark::kMillisecond);

// The whole filing step on a real folder: read, backup, merge, replace.
void BM_FileIntoLargePlanStore(benchmark::State& state) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      fmt::format("korvanta-memory-bench-{}", std::random_device{}());
  std::filesystem::create_directories(folder);
  std::size_t store_size = 0;
  {
    const std::string store = LargeStore();
    store_size = store.size();
    korvanta::WriteWholeFile(folder / "FPLS.DAT", store);
  }
  const std::string plan = NewPlan();
  std::size_t peak = 0;
  for (auto _ : state) {
    peak = PeakOf([&] {
      korvanta::FileIntoPlanStore(folder / "FPLS.DAT", plan, korvanta::MergePlanStore,
                                  [](const std::filesystem::path& file, std::string_view bytes) {
                                    korvanta::WriteWholeFile(file, bytes);
                                  });
    });
  }
  std::filesystem::remove_all(folder);
  Report(state, peak, store_size);
}
BENCHMARK(BM_FileIntoLargePlanStore)->Iterations(1)->Unit(benchmark::kMillisecond);

// The largest input of each kind that is accepted: 4 MiB, and no more
// points than a route may have; the XML plans padded with the smallest
// elements, the most a tree holds per byte.
std::string LargestInput(korvanta::InputKind kind) {
  constexpr std::size_t kPoints = korvanta::kPlanPointsLimit;
  const std::size_t size = korvanta::kInputSizeLimit - 64 * 1024;
  std::string text;
  text.reserve(korvanta::kInputSizeLimit);
  const std::string pad(size / kPoints - 80, 'X');
  switch (kind) {
    case korvanta::InputKind::kText:
      text =
          "Computed route from ALPHA (EAAA) to BETA (EBBB)\r\nCruise altitude between FL330 "
          "and FL350\r\nEAAA (0) -SID- > EBBB (130)\r\nDetails:\r\nID FREQ TRK DIST Coords "
          "Name\r\n";
      for (std::size_t point = 1; point < kPoints; ++point)
        text += fmt::format(
            "P{} 274 12 N50\xC2\xB0"
            "02'00.00\" E008\xC2\xB0"
            "34'14.00\" {}\r\n",
            point, pad);
      return text +
             "EBBB 290 32 N50\xC2\xB0"
             "52'00.00\" E005\xC2\xB0"
             "15'00.00\" BETA\r\n";
    case korvanta::InputKind::kFms:
      text = fmt::format("I\n3 version\n1\n{}\n", kPoints);
      for (std::size_t point = 0; point < kPoints; ++point)
        text += fmt::format("11 P{} 0 50.000000 8.000000\n", pad.substr(0, 40));
      break;
    case korvanta::InputKind::kPln:
      text = "<SimBase.Document><FlightPlan.FlightPlan>";
      for (std::size_t point = 0; point < kPoints; ++point)
        text +=
            "<ATCWaypoint id=\"P\"><WorldPosition>N50\xC2\xB0 2' 0.00\",E8\xC2\xB0 34' "
            "14.00\",+000000.00</WorldPosition><ICAO><ICAOIdent>P</ICAOIdent></ICAO></ATCWaypoint>";
      text += "<x>";
      while (text.size() < size)
        text += "<x/>";
      return text + "</x></FlightPlan.FlightPlan></SimBase.Document>";
    case korvanta::InputKind::kGpx:
      text = "<gpx version=\"1.1\"><rte>";
      for (std::size_t point = 0; point < kPoints; ++point)
        text += "<rtept lat=\"50.0\" lon=\"8.0\"><name>P</name></rtept>";
      text += "<extensions>";
      while (text.size() < size)
        text += "<x/>";
      return text + "</extensions></rte></gpx>";
    case korvanta::InputKind::kUnreadKind:
      break;  // refused before it is read: no largest one
    case korvanta::InputKind::kRoute:
      break;  // read against the navigation data: measured with it
  }
  while (text.size() < size)
    text += "\n";
  return text;
}

// The most an accepted input may take: three times its size and 32 MiB.
void ReportAgainstLimit(benchmark::State& state, std::size_t peak, std::size_t input_size) {
  Report(state, peak, input_size);
  state.counters["within_limit"] = peak <= 3 * input_size + (std::size_t{32} << 20) ? 1 : 0;
}

// The largest GPX plan in windows-1252, with a letter outside ASCII: read
// from a UTF-8 copy of the whole document, which a UTF-8 plan does not need.
std::string LargestWindows1252Gpx() {
  return "<?xml version=\"1.0\" encoding=\"windows-1252\"?><!-- Z\xFCrich -->" +
         LargestInput(korvanta::InputKind::kGpx);
}

void ReadInput(benchmark::State& state, korvanta::InputKind kind, const std::string& bytes) {
  const korvanta::AirportDatabase airports;
  std::size_t peak = 0;
  bool read = false;
  for (auto _ : state) {
    peak = PeakOf([&] {
      const korvanta::InputSource input = korvanta::MakeInputSource(bytes, kind);
      read = input.source && input.source->Read({}, airports).Parsed();
    });
  }
  if (!read)
    state.SkipWithError("the input is not accepted");
  ReportAgainstLimit(state, peak, bytes.size());
}
void ReadLargestInput(benchmark::State& state, korvanta::InputKind kind) {
  ReadInput(state, kind, LargestInput(kind));
}
void ReadLargestWindows1252Gpx(benchmark::State& state) {
  ReadInput(state, korvanta::InputKind::kGpx, LargestWindows1252Gpx());
}
BENCHMARK(ReadLargestWindows1252Gpx)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadLargestInput, route_text, korvanta::InputKind::kText)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadLargestInput, xplane_plan, korvanta::InputKind::kFms)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadLargestInput, msfs_plan, korvanta::InputKind::kPln)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadLargestInput, gpx, korvanta::InputKind::kGpx)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// A simulator tree in a temporary folder, with a folder for every target, and
// the settings that send the X-Plane 11/12 plan into it; removed at the end.
class TemporaryTree {
 public:
  TemporaryTree()
      : root_(std::filesystem::temp_directory_path() /
              fmt::format("korvanta-memory-run-{}", std::random_device{}())) {
    for (const char* folder :
         {"app", "docs/Flight Simulator Files", "docs/Flight Simulator X Files",
          "fs9/isg/FlightPlans", "fs9/ifly/737NG/navdata/Fltplan",
          "fs9/Level-D Simulations/navdata/Flightplans", "fs9/Pmdg/Flightplans",
          "fs9/Modules/FSNavigator/plan", "fs9/MADDOG2008/Routes", "fs9/Civa", "fsx", "xplane11"}) {
      std::filesystem::create_directories(root_ / folder);
    }
    korvanta::WriteWholeFile(
        root_ / "app" / "korvanta.ini",
        "[Main]\r\nXPlane11Folder=" + korvanta::PathToUtf8(root_ / "xplane11") + "\r\n");
  }
  ~TemporaryTree() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  TemporaryTree(const TemporaryTree&) = delete;
  TemporaryTree& operator=(const TemporaryTree&) = delete;

  korvanta::FolderSet Folders() const {
    korvanta::FixedFolderSource source;
    source.documents = root_ / "docs";
    source.fs9 = root_ / "fs9";
    source.fsx = root_ / "fsx";
    return korvanta::BuildFolderSet(root_ / "app", source);
  }

 private:
  std::filesystem::path root_;
};

// Every target of the FS2004 selection, then the FSX plan that its box stands
// for under FSX. Two are left out: the Tu-154 plan needs navigation data,
// which is measured on its own, and an FSNavigator plan cannot hold the
// largest route, which it refuses before it renders anything.
std::vector<korvanta::RunChoices> EveryTarget() {
  korvanta::RunChoices fs9;
  for (const korvanta::TargetDescriptor& descriptor : korvanta::Targets()) {
    if (korvanta::TargetAllowed(korvanta::Simulator::kFs9, descriptor.target) &&
        descriptor.target != korvanta::Target::kTu154 &&
        descriptor.target != korvanta::Target::kFsNavigator)
      fs9.ticked.insert(descriptor.target);
  }
  korvanta::RunChoices fsx;
  fsx.simulator = korvanta::Simulator::kFsx;
  fsx.ticked.insert(korvanta::Target::kFs2004);
  return {fs9, fsx};
}

// The whole run of the largest input of a kind into every target: the input
// read, each target rendered and written in turn.
void ConvertLargestInput(benchmark::State& state, korvanta::InputKind kind) {
  const std::string bytes = LargestInput(kind);
  const korvanta::AirportDatabase airports;
  const TemporaryTree tree;
  const korvanta::FolderSet folders = tree.Folders();
  const std::vector<korvanta::RunChoices> runs = EveryTarget();
  korvanta::bench::SilentFrontEnd front;
  std::size_t peak = 0;
  std::size_t files = 0;
  bool completed = true;
  for (auto _ : state) {
    peak = PeakOf([&] {
      const korvanta::InputSource input = korvanta::MakeInputSource(bytes, kind);
      if (!input.source) {
        completed = false;
        return;
      }
      korvanta::ConversionRun run(folders, airports, front);
      for (const korvanta::RunChoices& choices : runs) {
        const korvanta::RunOutcome outcome = run.Run(*input.source, choices);
        completed = completed && outcome.end == korvanta::RunEnd::kCompleted;
        files += outcome.written.size();
      }
    });
  }
  if (!completed)
    state.SkipWithError(("the run did not complete: " + front.last_message).c_str());
  ReportAgainstLimit(state, peak, bytes.size());
  state.counters["files"] = static_cast<double>(files);
}
BENCHMARK_CAPTURE(ConvertLargestInput, route_text, korvanta::InputKind::kText)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ConvertLargestInput, xplane_plan, korvanta::InputKind::kFms)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ConvertLargestInput, msfs_plan, korvanta::InputKind::kPln)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ConvertLargestInput, gpx, korvanta::InputKind::kGpx)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// A whole world's FMC data folder loaded into the index, then, with the
// index, a route string of 30 elements resolved against it. The input is the
// folder's three files.
void LoadWorldNavigation(benchmark::State& state, bool with_route_string) {
  const korvanta::bench::SyntheticFmcFolder folder;
  korvanta::AirportDatabase airports;
  korvanta::LoadAirportLines(folder.AirportLines(), airports);
  std::size_t input_size = 0;
  for (const auto& file : std::filesystem::directory_iterator(folder.Path()))
    input_size += static_cast<std::size_t>(file.file_size());
  std::size_t peak = 0;
  bool loaded = false;
  for (auto _ : state) {
    peak = PeakOf([&] {
      korvanta::NavigationLoadResult result = korvanta::LoadFmcNavigation(folder.Path());
      loaded = std::holds_alternative<korvanta::NavigationData>(result);
      if (!loaded || !with_route_string)
        return;
      const korvanta::NavigationSource source(
          std::get<korvanta::NavigationData>(std::move(result)));
      airports.navigation = &source;
      benchmark::DoNotOptimize(korvanta::ReadRouteString(folder.RouteString(), airports));
      airports.navigation = nullptr;
    });
  }
  if (!loaded)
    state.SkipWithError("the synthetic data does not load");
  Report(state, peak, input_size);
  state.counters["within_100_mb"] = peak <= 100'000'000 ? 1 : 0;
}
BENCHMARK_CAPTURE(LoadWorldNavigation, load, false)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadWorldNavigation, load_and_route_string, true)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

void* operator new(std::size_t size) {
  return CountedAllocate(size);
}
void* operator new[](std::size_t size) {
  return CountedAllocate(size);
}
void operator delete(void* pointer) noexcept {
  CountedFree(pointer);
}
void operator delete[](void* pointer) noexcept {
  CountedFree(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
  CountedFree(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
  CountedFree(pointer);
}
