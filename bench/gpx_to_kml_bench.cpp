// A 5,000-point GPX route turned into the Google Earth (KML) file by two
// whole programs: korvanta-cli and gpsbabel, run alternately on the same file
// for many rounds. Reported: the median CPU time (user + system) and peak
// resident memory of each, and Korvanta's as a share of gpsbabel's. Without
// gpsbabel installed, Korvanta's figures stand alone.
//
//   build/default/bench/korvanta_bench --benchmark_filter=GpxToKml
//
// KORVANTA_CLI=path/to/korvanta-cli in the environment measures that build
// instead of the one built beside the benchmark.

#include <benchmark/benchmark.h>
#include <fmt/format.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "child_process.hpp"
#include "files/file_output.hpp"
#include "io/utf8_path.hpp"

namespace {

using korvanta::bench::ChildCost;
using korvanta::bench::RunChild;

constexpr int kRoutePoints = 5000;
constexpr int kRounds = 41;

std::uint32_t Below(std::mt19937& random, std::uint32_t limit) {
  return random() % limit;
}

// Millionths of a degree as the GPX writer writes a position.
std::string Degrees(std::int64_t millionths) {
  const std::int64_t magnitude = millionths < 0 ? -millionths : millionths;
  return fmt::format("{}{}.{:06d}", millionths < 0 ? "-" : "", magnitude / 1'000'000,
                     magnitude % 1'000'000);
}

// A route westwards from Frankfurt's latitude across the prime meridian, as
// Korvanta's own GPX writer lays it out: fixes, VORs and NDBs on airways
// between two airports.
std::string GpxRoute() {
  std::mt19937 random(5000);
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<gpx version=\"1.1\" creator=\"Korvanta\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
      "  <metadata>\n    <name>EAAA-EBBB</name>\n"
      "    <desc>ALPHA INTL to BETA FIELD, FL350</desc>\n  </metadata>\n"
      "  <rte>\n    <name>EAAA-EBBB</name>\n";
  constexpr const char* kAirways[] = {"UL602", "UN873", "UM605", "DCT"};
  std::int64_t lat = 50'033'333;
  std::int64_t lon = 8'566'667;
  for (int point = 0; point < kRoutePoints; ++point) {
    const bool first = point == 0;
    const bool last = point + 1 == kRoutePoints;
    const char* type = first || last     ? "Airport"
                       : point % 10 == 1 ? "VOR"
                       : point % 10 == 6 ? "NDB"
                                         : "Waypoint";
    std::string name = first ? "EAAA" : last ? "EBBB" : "";
    if (name.empty()) {
      // Beacons have three letters, fixes five.
      const int letters = type == std::string_view("Waypoint") ? 5 : 3;
      for (int letter = 0; letter < letters; ++letter)
        name += static_cast<char>('A' + Below(random, 26));
    }
    const std::string description = first  ? "ALPHA INTL"
                                    : last ? "BETA FIELD"
                                           : kAirways[Below(random, 4)];
    const std::string elevation = first ? "111.3" : last ? "45.7" : "10668.0";
    out += fmt::format(
        "    <rtept lat=\"{}\" lon=\"{}\">\n      <ele>{}</ele>\n      <name>{}</name>\n"
        "      <desc>{}</desc>\n      <type>{}</type>\n    </rtept>\n",
        Degrees(lat), Degrees(lon), elevation, name, description, type);
    lat += static_cast<std::int64_t>(Below(random, 10'000)) - 5'000;
    lon -= 4'000 + static_cast<std::int64_t>(Below(random, 8'000));
  }
  return out + "  </rte>\n</gpx>\n";
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// The figures of one program over all rounds.
struct Costs {
  std::vector<double> cpu_seconds;
  std::vector<double> peak_mebibytes;

  void Add(const ChildCost& cost) {
    cpu_seconds.push_back(cost.cpu_seconds);
    peak_mebibytes.push_back(cost.peak_mebibytes);
  }
};

void BM_GpxToKmlAgainstGpsbabel(benchmark::State& state) {
  const auto root = std::filesystem::temp_directory_path() /
                    fmt::format("korvanta-gpx-bench-{}", std::random_device{}());
  for (const char* folder : {"app", "documents", "fs9", "fsx"})
    std::filesystem::create_directories(root / folder);
  const std::filesystem::path input = root / "route.gpx";
  korvanta::WriteWholeFile(input, GpxRoute());
  const auto in = [&](const char* name) { return korvanta::PathToUtf8(root / name); };
  // Every folder named, so that the run reads and writes nothing outside
  // the scratch folder.
  // KORVANTA_CLI names another build to measure (an older one, to compare).
  const char* other_build = std::getenv("KORVANTA_CLI");
  const std::vector<std::string> korvanta = {
      other_build != nullptr ? other_build : KORVANTA_CLI_PATH,
      "convert",
      in("route.gpx"),
      "--targets",
      "kml",
      "--app-dir",
      in("app"),
      "--fs9-dir",
      in("fs9"),
      "--fsx-dir",
      in("fsx"),
      "--documents-dir",
      in("documents")};
  const std::vector<std::string> gpsbabel = {
      "gpsbabel", "-i", "gpx", "-f", in("route.gpx"), "-o", "kml", "-F", in("gpsbabel.kml")};

  Costs korvanta_costs;
  Costs gpsbabel_costs;
  bool gpsbabel_found = true;
  int round = 0;
  for (auto _ : state) {
    // Alternating which one goes first evens out what the other leaves in
    // the caches.
    const bool korvanta_first = round++ % 2 == 0;
    for (int turn = 0; turn < 2; ++turn) {
      if ((turn == 0) == korvanta_first) {
        const std::optional<ChildCost> cost = RunChild(korvanta);
        if (!cost || cost->exit_status != 0) {
          state.SkipWithError("korvanta-cli did not write the KML file");
          std::filesystem::remove_all(root);
          return;
        }
        korvanta_costs.Add(*cost);
        state.SetIterationTime(cost->cpu_seconds);
      } else if (gpsbabel_found) {
        const std::optional<ChildCost> cost = RunChild(gpsbabel);
        gpsbabel_found = cost && cost->exit_status == 0;
        if (gpsbabel_found)
          gpsbabel_costs.Add(*cost);
      }
    }
  }
  std::filesystem::remove_all(root);

  const double korvanta_cpu = Median(korvanta_costs.cpu_seconds) * 1000;
  const double korvanta_peak = Median(korvanta_costs.peak_mebibytes);
  state.counters["korvanta_cpu_ms"] = korvanta_cpu;
  state.counters["korvanta_peak_MiB"] = korvanta_peak;
  if (gpsbabel_found) {
    const double gpsbabel_cpu = Median(gpsbabel_costs.cpu_seconds) * 1000;
    const double gpsbabel_peak = Median(gpsbabel_costs.peak_mebibytes);
    state.counters["gpsbabel_cpu_ms"] = gpsbabel_cpu;
    state.counters["gpsbabel_peak_MiB"] = gpsbabel_peak;
    // The ratio of each round's pair, run back to back, then their median:
    // the load that other programs put on the machine changes between
    // rounds more than within one.
    std::vector<double> cpu_ratios;
    for (std::size_t round_run = 0; round_run < gpsbabel_costs.cpu_seconds.size(); ++round_run) {
      if (gpsbabel_costs.cpu_seconds[round_run] > 0) {
        cpu_ratios.push_back(korvanta_costs.cpu_seconds[round_run] /
                             gpsbabel_costs.cpu_seconds[round_run]);
      }
    }
    state.counters["cpu_ratio"] = Median(cpu_ratios);
    state.counters["peak_ratio"] = gpsbabel_peak > 0 ? korvanta_peak / gpsbabel_peak : 0;
  } else {
    state.SetLabel("gpsbabel not found: Korvanta's figures alone");
  }
}
BENCHMARK(BM_GpxToKmlAgainstGpsbabel)
    ->Iterations(kRounds)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
