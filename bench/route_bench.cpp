// Throughput of the airport database load and of the route parser.
//
// The airport file is generated once per process into the temporary folder
// (40,000 lines laid out like the navigation data's airport list) and removed
// at exit; the plain line read of the same file is the floor for the load.
// The route is a generated 300-point route finder result. ParseRoute edits
// its line list, so every iteration parses a fresh copy; the copy is made
// with the timer paused.

#include <benchmark/benchmark.h>
#include <fmt/format.h>
#include <unistd.h>

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

#include "route/airports.hpp"
#include "route/parser.hpp"
#include "route/tables.hpp"

namespace {

using korvanta::AirportDatabase;
using korvanta::ParseMode;
using korvanta::ParseResult;
using korvanta::RmTable;
using korvanta::RouteHeader;

constexpr std::size_t kAirportCount = 40000;
constexpr std::size_t kRoutePoints = 300;

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

// name (1-24), ICAO (25-28), longest runway in feet, latitude, longitude,
// blank filler up to character 69, elevation right-aligned in 70-74, CR LF.
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
    std::int32_t elevation = static_cast<std::int32_t>(Below(rng, 9000));
    if (Below(rng, 50) == 0)
      elevation = -static_cast<std::int32_t>(Below(rng, 1300));
    if (Below(rng, 200) == 0)
      elevation = 9000 + static_cast<std::int32_t>(Below(rng, 5500));

    std::string line = AirportName(rng) + code;
    line += fmt::format("{:05d}{:>11.6f}{:>12.6f}", runway, lat, lon);
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
    if (!result.loaded || db.apt.Count() != kAirportCount) {
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

std::string Dms(char hemisphere, int degree_digits, std::int64_t seconds_total) {
  const std::int64_t degrees = seconds_total / 3600;
  const std::int64_t minutes = seconds_total / 60 % 60;
  const std::int64_t seconds = seconds_total % 60;
  return fmt::format("{}{:0{}d}\xB0{:02d}'{:02d}.00\"", hemisphere, degrees, degree_digits, minutes,
                     seconds);
}

// A route from EAAA to EBBB over fixes, VORs and NDBs, flying west across the
// prime meridian so both hemispheres occur.
std::vector<std::string> RouteLines() {
  std::mt19937 rng(300);
  std::vector<std::string> names;
  names.reserve(kRoutePoints);
  for (std::size_t i = 0; i < kRoutePoints; ++i) {
    if (i == 0) {
      names.emplace_back("EAAA");
    } else if (i + 1 == kRoutePoints) {
      names.emplace_back("EBBB");
    } else {
      std::string name;
      const std::size_t length = i % 5 == 1 ? 3 : 5;  // VORs and NDBs have short names
      for (std::size_t c = 0; c < length; ++c)
        name += static_cast<char>('A' + Below(rng, 26));
      names.push_back(std::move(name));
    }
  }

  std::vector<std::string> lines = {
      "Computed route from ALPHA/INTL (EAAA) to BETA FIELD (EBBB)",
      "Cruise altitude between FL330 and FL350",
  };
  constexpr std::string_view kAirways[] = {"-UL602-", "-DCT-", "-UN873-", "-UM605-", "-DCT-"};
  std::string chain;
  std::int64_t distance = 0;
  for (std::size_t i = 0; i < kRoutePoints; ++i) {
    chain += fmt::format("{} ({})", names[i], distance);
    if (i + 1 < kRoutePoints) {
      const std::string_view airway = i == 0                  ? "-SID-"
                                      : i + 2 == kRoutePoints ? "-STAR-"
                                                              : kAirways[i % std::size(kAirways)];
      chain += fmt::format(" {} >", airway);
    }
    if (i % 4 == 3 || i + 1 == kRoutePoints) {
      lines.push_back(std::move(chain));
      chain.clear();
    } else {
      chain += ' ';
    }
    distance += 10 + Below(rng, 40);
  }
  lines.emplace_back("Details:");
  lines.emplace_back("ID FREQ TRK DIST Coords Name");

  std::int64_t lat = 50 * 3600 + 2 * 60;  // seconds of arc
  std::int64_t lon = 8 * 3600 + 34 * 60;  // east positive
  for (std::size_t i = 0; i < kRoutePoints; ++i) {
    const std::string position =
        Dms('N', 2, lat) + ' ' + Dms(lon >= 0 ? 'E' : 'W', 3, lon >= 0 ? lon : -lon);
    const std::uint32_t track = 250 + Below(rng, 40);
    const std::uint32_t leg = 5 + Below(rng, 40);
    if (i == 0) {
      lines.push_back(fmt::format("{} 0 0 {} ALPHA", names[i], position));
    } else if (i + 1 == kRoutePoints) {
      lines.push_back(fmt::format("{} {} {} {} BETA", names[i], track, leg, position));
    } else if (i % 10 == 1) {
      const std::uint32_t khz = 108000 + 50 * Below(rng, 200);
      lines.push_back(fmt::format("{} {}.{:02d} {} {} {} {}", names[i], khz / 1000, khz % 1000 / 10,
                                  track, leg, position, names[i]));
    } else if (i % 10 == 6) {
      lines.push_back(fmt::format("{} {} {} {} {} {}", names[i], 190 + Below(rng, 1500), track, leg,
                                  position, names[i]));
    } else {
      lines.push_back(fmt::format("{} {} {} {} {}", names[i], track, leg, position, names[i]));
    }
    lat += static_cast<std::int64_t>(Below(rng, 120)) - 40;
    lon -= 120 + static_cast<std::int64_t>(Below(rng, 120));
  }
  lines.emplace_back("");
  return lines;
}

AirportDatabase RouteAirports() {
  AirportDatabase db;
  korvanta::LoadAirportLines(
      "ALPHA INTL              EAAA                                           364\r\n"
      "BETA FIELD              EBBB                                            50\r\n",
      db);
  return db;
}

void BM_ParseRoute(benchmark::State& state, ParseMode mode) {
  const std::vector<std::string> route = RouteLines();
  const AirportDatabase airports = RouteAirports();
  RmTable rm;
  RouteHeader header;
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::string> lines = route;
    state.ResumeTiming();
    const ParseResult result = korvanta::ParseRoute(lines, {mode, false}, airports, rm, header);
    if (result != ParseResult::kParsed || rm.Count() != kRoutePoints) {
      state.SkipWithError("the generated route did not parse");
      break;
    }
    benchmark::DoNotOptimize(rm);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kRoutePoints));
}
BENCHMARK_CAPTURE(BM_ParseRoute, text, ParseMode::kText)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ParseRoute, decimal, ParseMode::kDecimal)->Unit(benchmark::kMicrosecond);

}  // namespace
