// The Tu-154 writer on a large navigation data set.
//
// Four navigation files of 50,000 points each (200,000 in all) are generated
// once per process into a temporary folder and removed at exit, together
// with a plan store of 24 plans. The route has 300 waypoints, almost all of
// them in the data. The plain read of the four files' lines is the floor for
// the load.

#include <benchmark/benchmark.h>
#include <fmt/format.h>
#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "files/file_output.hpp"
#include "files/plan_store.hpp"
#include "navdata/kln_navigation.hpp"
#include "route/tables.hpp"
#include "writers/tu154.hpp"
#include "writers/tu154_store.hpp"

namespace {

using korvanta::KlnNavigationPoints;
using korvanta::Waypoint;
using korvanta::WaypointTable;

constexpr std::size_t kPointsPerFile = 50'000;
constexpr std::size_t kPoints = 4 * kPointsPerFile;
constexpr std::size_t kRouteWaypoints = 300;
constexpr std::size_t kStoredPlans = 24;

struct GeneratedPoint {
  std::string id;
  double lat;
  double lon;
};

// Deterministic across standard libraries, unlike the std distributions.
std::uint32_t Below(std::mt19937& rng, std::uint32_t n) {
  return rng() % n;
}

std::string Identifier(std::mt19937& rng, std::size_t letters) {
  std::string id;
  for (std::size_t i = 0; i < letters; ++i)
    id += static_cast<char>('A' + Below(rng, 26));
  return id;
}

// "N51°28'42.00"" for 51.478333, as the waypoint table holds it (UTF-8).
std::string DmsText(double value, char positive, char negative, int degree_digits) {
  const char hemisphere = value < 0 ? negative : positive;
  const double magnitude = value < 0 ? -value : value;
  const auto total = static_cast<std::int64_t>(magnitude * 360000.0 + 0.5);  // hundredths of s
  const std::int64_t degrees = total / 360000;
  const std::int64_t minutes = total / 6000 % 60;
  const std::int64_t hundredths = total % 6000;
  return fmt::format("{}{:0{}d}\xC2\xB0{:02d}'{:02d}.{:02d}\"", hemisphere, degrees, degree_digits,
                     minutes, hundredths / 100, hundredths % 100);
}

class NavigationData {
 public:
  NavigationData() {
    folder_ = std::filesystem::temp_directory_path() /
              fmt::format("korvanta-bench-kln90b-{}", static_cast<long>(::getpid()));
    std::filesystem::create_directories(folder_);
    std::mt19937 rng(20240612);
    const std::array<const char*, 3> headings = {"[Airports]", "[NDB]", "[VOR]"};
    for (std::size_t file = 0; file < 4; ++file) {
      std::string text;
      text.reserve(kPointsPerFile * 80);
      if (file < 3)
        text += fmt::format("{}\r\n", headings[file]);
      else
        text += "; name latitude longitude\r\n";
      for (std::size_t i = 0; i < kPointsPerFile; ++i) {
        GeneratedPoint p;
        p.id = Identifier(rng, file == 0 ? 4 : file == 3 ? 5 : 3);
        p.lat = static_cast<double>(Below(rng, 1'600'000)) / 10'000.0 - 80.0;
        p.lon = static_cast<double>(Below(rng, 3'600'000)) / 10'000.0 - 180.0;
        if (file == 0) {
          text += fmt::format("Lon=[{:.6f}] Lat=[{:.6f}] Elev=[{}] ICAO=[{}] Name=[AIRPORT {}]\r\n",
                              p.lon, p.lat, Below(rng, 9000), p.id, i);
        } else if (file == 1) {
          text += fmt::format("Lon=[{:.6f}] Lat=[{:.6f}] Freq=[{}] ID=[{}] Name=[NDB {}]\r\n",
                              p.lon, p.lat, 190 + Below(rng, 1500), p.id, i);
        } else if (file == 2) {
          text += fmt::format(
              "Lon=[{:.6f}] Lat=[{:.6f}] Freq=[{}.{:02d}] Type=[VORDME] ID=[{}] Name=[VOR {}]\r\n",
              p.lon, p.lat, 108 + Below(rng, 10), Below(rng, 20) * 5, p.id, i);
        } else {
          text += fmt::format("{} {:.6f} {:.6f}\r\n", p.id, p.lat, p.lon);
        }
        if (i % 700 == 0)
          points_.push_back(p);
      }
      const auto path = folder_ / std::string(korvanta::kTuNavFileNames[file]);
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      out.write(text.data(), static_cast<std::streamsize>(text.size()));
      if (!out.flush())
        throw std::runtime_error("cannot write " + path.string());
      bytes_ += text.size();
    }

    // The route: departure, 298 points from the data (one in fifty missing
    // from it), destination.
    for (std::size_t i = 0; i < kRouteWaypoints; ++i) {
      const GeneratedPoint& p = points_[(i * 7) % points_.size()];
      Waypoint row;
      row.id = i % 50 == 17 ? "ZZZZZ" : p.id;
      row.lat = DmsText(p.lat, 'N', 'S', 2);
      row.lon = DmsText(p.lon, 'E', 'W', 3);
      row.position = {korvanta::ReadDmsLatitude(row.lat).hundredths,
                      korvanta::ReadDmsLongitude(row.lon).hundredths};
      row.kind = i == 0 || i + 1 == kRouteWaypoints ? korvanta::WaypointKind::kAirport
                                                    : korvanta::WaypointKind::kIntersection;
      waypoints_.Append(row);
    }

    // A store of 24 plans of 300 points, numbered 1 to 25 without 13.
    for (int plan = 1; plan <= 25; ++plan) {
      if (plan == 13)
        continue;
      store_ += fmt::format("[FPL.{}]\r\n", plan);
      for (std::size_t i = 0; i < kRouteWaypoints; ++i) {
        store_ += fmt::format("Point.{}=TYPE=[3] ICAO_ID=[P{}] Lat=[{}.500000] Lon=[{}.250000]\r\n",
                              i, i, i % 80, i % 180);
      }
      store_ += fmt::format("PointsCount={}\r\n", kRouteWaypoints);
    }
    static_assert(kStoredPlans == 24);
  }
  ~NavigationData() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  NavigationData(const NavigationData&) = delete;
  NavigationData& operator=(const NavigationData&) = delete;

  const std::filesystem::path& Folder() const { return folder_; }
  std::size_t Bytes() const { return bytes_; }
  const WaypointTable& Route() const { return waypoints_; }
  const std::string& Store() const { return store_; }

 private:
  std::filesystem::path folder_;
  std::size_t bytes_ = 0;
  std::vector<GeneratedPoint> points_;
  WaypointTable waypoints_;
  std::string store_;
};

const NavigationData& Data() {
  static const NavigationData data;
  return data;
}

void Items(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kPoints));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(Data().Bytes()));
}

// The floor: reading the four files' lines and doing nothing with them.
void BM_ReadNavigationLinesPlain(benchmark::State& state) {
  const NavigationData& data = Data();
  for (auto _ : state) {
    std::vector<std::string> lines;
    for (const auto name : korvanta::kTuNavFileNames) {
      std::ifstream in(data.Folder() / std::string(name), std::ios::binary);
      std::string line;
      while (std::getline(in, line))
        lines.push_back(line);
    }
    if (lines.size() != kPoints + 4) {
      state.SkipWithError("plain read saw another line count");
      break;
    }
    benchmark::DoNotOptimize(lines);
  }
  Items(state);
}
BENCHMARK(BM_ReadNavigationLinesPlain)->Unit(benchmark::kMillisecond);

void BM_Tu154NavigationLoad(benchmark::State& state) {
  const NavigationData& data = Data();
  for (auto _ : state) {
    KlnNavigationPoints navigation_points;
    korvanta::LoadKlnNavigation(data.Folder(), navigation_points);
    if (navigation_points.Count() != kPoints) {
      state.SkipWithError("navigation data did not load");
      break;
    }
    benchmark::DoNotOptimize(navigation_points);
  }
  Items(state);
}
BENCHMARK(BM_Tu154NavigationLoad)->Unit(benchmark::kMillisecond);

// The whole writer in memory: load, 300 lookups, the plan text, the store merge.
void BM_Tu154Writer(benchmark::State& state) {
  const NavigationData& data = Data();
  std::size_t merged = 0;
  for (auto _ : state) {
    KlnNavigationPoints navigation_points;
    korvanta::LoadKlnNavigation(data.Folder(), navigation_points);
    const std::string plan = korvanta::WriteTu154Plan(data.Route(), navigation_points, 13);
    const std::string store = korvanta::MergePlanStore(data.Store(), plan);
    merged = store.size();
    benchmark::DoNotOptimize(store);
  }
  if (merged <= data.Store().size())
    state.SkipWithError("the plan was not filed");
  Items(state);
}
BENCHMARK(BM_Tu154Writer)->Unit(benchmark::kMillisecond);

// The same with the files: FPLS.TXT, FPLS.BAK and FPLS.DAT written whole.
void BM_Tu154WriterWithFiles(benchmark::State& state) {
  const NavigationData& data = Data();
  const auto store = data.Folder() / "FPLS.DAT";
  for (auto _ : state) {
    state.PauseTiming();
    korvanta::WriteWholeFile(store, data.Store());
    state.ResumeTiming();
    KlnNavigationPoints navigation_points;
    korvanta::LoadKlnNavigation(data.Folder(), navigation_points);
    const std::string plan = korvanta::WriteTu154Plan(data.Route(), navigation_points, 13);
    korvanta::WriteWholeFile(data.Folder() / "FPLS.TXT", plan);
    korvanta::FileIntoPlanStore(data.Folder() / "FPLS.DAT", plan, korvanta::MergePlanStore,
                                [](const std::filesystem::path& file, std::string_view bytes) {
                                  korvanta::WriteWholeFile(file, bytes);
                                });
  }
  Items(state);
}
BENCHMARK(BM_Tu154WriterWithFiles)->Unit(benchmark::kMillisecond);

// The 300 lookups alone, on a loaded table.
void BM_Tu154Lookups(benchmark::State& state) {
  const NavigationData& data = Data();
  KlnNavigationPoints navigation_points;
  korvanta::LoadKlnNavigation(data.Folder(), navigation_points);
  for (auto _ : state) {
    const std::string plan = korvanta::WriteTu154Plan(data.Route(), navigation_points, 13);
    benchmark::DoNotOptimize(plan);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kRouteWaypoints));
}
BENCHMARK(BM_Tu154Lookups)->Unit(benchmark::kMicrosecond);

}  // namespace
