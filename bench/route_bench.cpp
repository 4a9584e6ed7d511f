// Throughput of the airport database load and of the route parser.
//
// The airport file is generated once per process into the temporary folder
// (40,000 lines laid out like the navigation data's airport list) and removed
// at exit; the plain line read of the same file is the floor for the load.
// The route is a generated 300-point route finder result.

#include <benchmark/benchmark.h>
#include <fmt/format.h>
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "bench_routes.hpp"
#include "readers/route_text_parser.hpp"
#include "route/airports.hpp"
#include "route/tables.hpp"

namespace {

using korvanta::AirportDatabase;
using korvanta::ParseMode;
using korvanta::ParseResult;
using korvanta::RouteHeader;
using korvanta::WaypointTable;

constexpr std::size_t kAirportCount = 40000;

constexpr std::string_view kSyllables[] = {"AL",  "BER", "CA",  "DOR", "EN",  "FAL", "GRA", "HOL",
                                           "IN",  "KAR", "LIN", "MO",  "NOR", "OS",  "PRA", "RIO",
                                           "SAN", "TA",  "UL",  "VAL", "WES", "ZU"};
constexpr std::string_view kSuffixes[] = {"",     " INTL",    " RGNL", " MUNI",
                                          " FLD", " AIRBASE", " CITY", " INTERNATIONAL"};

// Deterministic across standard libraries, unlike the std distributions.
std::uint32_t Below(std::mt19937& rng, std::uint32_t n) {
  return rng() % n;
}

std::string AirportName(std::mt19937& rng) {
  std::string name;
  const std::uint32_t syllables = 2 + Below(rng, 3);
  for (std::uint32_t s = 0; s < syllables; ++s)
    name += kSyllables[Below(rng, std::size(kSyllables))];
  name += kSuffixes[Below(rng, std::size(kSuffixes))];
  name.resize(24, ' ');  // longer names are cut, as in the real list
  return name;
}

// A distinct four-letter code for every index below 26^4.
std::string IcaoCode(std::uint32_t index) {
  std::string code(4, 'A');
  for (int i = 3; i >= 0; --i) {
    code[static_cast<std::size_t>(i)] = static_cast<char>('A' + index % 26);
    index /= 26;
  }
  return code;
}

// name (1-24), ICAO (25-28), runway, its length in feet and its heading,
// threshold latitude (40-49, "N51.477500") and longitude (50-60,
// "W000.484976"), blank filler up to character 69, elevation right-aligned
// in 70-74, CR LF.
std::string AirportFileText() {
  std::mt19937 rng(20240611);
  std::string text;
  text.reserve(kAirportCount * 76);
  // Spread the codes over the whole code space in a scrambled order.
  constexpr std::uint32_t kCodeSpace = 26 * 26 * 26 * 26;
  constexpr std::uint32_t kStride = 104729;  // prime, so every index is hit once
  for (std::size_t i = 0; i < kAirportCount; ++i) {
    const auto code = IcaoCode(static_cast<std::uint32_t>((i * kStride) % kCodeSpace));
    const double lat = static_cast<double>(Below(rng, 1'600'000)) / 10'000.0 - 80.0;
    const double lon = static_cast<double>(Below(rng, 3'600'000)) / 10'000.0 - 180.0;
    const std::uint32_t runway = 1500 + Below(rng, 12000);
    const std::uint32_t heading = 1 + Below(rng, 360);
    std::int32_t elevation = static_cast<std::int32_t>(Below(rng, 9000));
    if (Below(rng, 50) == 0)
      elevation = -static_cast<std::int32_t>(Below(rng, 1300));
    if (Below(rng, 200) == 0)
      elevation = 9000 + static_cast<std::int32_t>(Below(rng, 5500));

    std::string line = AirportName(rng) + code;
    line +=
        fmt::format("{:02d}L{:05d}{:03d}{}{:09.6f}{}{:010.6f}", (heading + 5) / 10, runway, heading,
                    lat < 0 ? 'S' : 'N', std::abs(lat), lon < 0 ? 'W' : 'E', std::abs(lon));
    line.resize(69, ' ');
    line += fmt::format("{:>5d}\r\n", elevation);
    text += line;
  }
  return text;
}

class AirportFile {
 public:
  AirportFile() {
    path_ = std::filesystem::temp_directory_path() /
            fmt::format("korvanta-bench-wpNavApt-{}.txt", static_cast<long>(::getpid()));
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    const std::string text = AirportFileText();
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out.flush())
      throw std::runtime_error("cannot write " + path_.string());
    bytes_ = text.size();
  }
  ~AirportFile() {
    std::error_code ec;
    std::filesystem::remove(path_, ec);
  }
  AirportFile(const AirportFile&) = delete;
  AirportFile& operator=(const AirportFile&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::size_t Bytes() const { return bytes_; }

 private:
  std::filesystem::path path_;
  std::size_t bytes_ = 0;
};

const AirportFile& Airports() {
  static const AirportFile file;
  return file;
}

void BM_LoadAirportDatabase(benchmark::State& state) {
  const AirportFile& file = Airports();
  for (auto _ : state) {
    AirportDatabase db;
    const auto result = korvanta::LoadAirportDatabase(file.Path(), db);
    if (!result.loaded || db.runways.Count() != kAirportCount) {
      state.SkipWithError("airport database did not load");
      break;
    }
    benchmark::DoNotOptimize(db);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kAirportCount));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.Bytes()));
}
BENCHMARK(BM_LoadAirportDatabase)->Unit(benchmark::kMillisecond);

// The floor: reading the same lines and doing nothing with them.
void BM_ReadAirportLinesPlain(benchmark::State& state) {
  const AirportFile& file = Airports();
  for (auto _ : state) {
    std::ifstream in(file.Path(), std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line))
      lines.push_back(line);
    if (lines.size() != kAirportCount) {
      state.SkipWithError("plain read saw another line count");
      break;
    }
    benchmark::DoNotOptimize(lines);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kAirportCount));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.Bytes()));
}
BENCHMARK(BM_ReadAirportLinesPlain)->Unit(benchmark::kMillisecond);

AirportDatabase RouteAirports() {
  AirportDatabase db;
  korvanta::LoadAirportLines(
      "ALPHA INTL              EAAA                                           364\r\n"
      "BETA FIELD              EBBB                                            50\r\n",
      db);
  return db;
}

void BM_ParseRoute(benchmark::State& state, ParseMode mode) {
  const std::vector<std::string> route = korvanta::bench::RouteLines();
  const AirportDatabase airports = RouteAirports();
  WaypointTable waypoints;
  RouteHeader header;
  for (auto _ : state) {
    const ParseResult result =
        korvanta::ParseRoute(route, {mode, false}, airports, waypoints, header);
    if (result != ParseResult::kParsed || waypoints.Count() != korvanta::bench::kRoutePoints) {
      state.SkipWithError("the generated route did not parse");
      break;
    }
    benchmark::DoNotOptimize(waypoints);
  }
  state.SetItemsProcessed(state.iterations() *
                          static_cast<std::int64_t>(korvanta::bench::kRoutePoints));
}
BENCHMARK_CAPTURE(BM_ParseRoute, text, ParseMode::kText)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ParseRoute, decimal, ParseMode::kDecimal)->Unit(benchmark::kMicrosecond);

}  // namespace
