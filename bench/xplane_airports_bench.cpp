// The scan of X-Plane's airport file for the airports of one route.
//
// A file of the size of X-Plane 12's global airports (about 300 MB: 30,000
// airports of some 10 kB each, most of it taxiway network and pavement rows
// the scan passes over) is generated once per process into the temporary
// folder and removed at exit. The airports asked for are the first, one in
// the middle and the last, so every scan reads the whole file (from the page
// cache, as a second run of the program would).

#include <benchmark/benchmark.h>
#include <fmt/format.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "navdata/xplane_airports.hpp"

namespace {

constexpr int kAirports = 30'000;
constexpr int kTaxiwayNodes = 216;

std::string AirportIcao(int number) {
  return fmt::format("X{:03}", number % 1000) + static_cast<char>('A' + number / 1000 % 26) +
         static_cast<char>('A' + number / 26000);
}

// One airport's rows, about 10 kB, much as the global airports give them.
void AppendAirport(std::string& text, int number) {
  const double lat = -60.0 + (number % 1200) * 0.1;
  const double lon = -170.0 + (number / 1200) * 0.5;
  text += fmt::format("\n1 {} 0 0 {} Generated Airport {}\n", number % 5000, AirportIcao(number),
                      number);
  for (const char* key : {"city Somewhere", "country Nowhere", "faa_code", "iata_code",
                          "region_code ZZ", "state", "transition_alt 18000"})
    text += fmt::format("1302 {}\n", key);
  text += fmt::format("1302 datum_lat {:.9f}\n1302 datum_lon {:.9f}\n", lat, lon);
  text += fmt::format(
      "100 45.00 1 0 0.25 1 3 0 09 {:.8f} {:.8f} 0 0 2 0 0 0 27 {:.8f} {:.8f} 0 0 2 0 0 0\n", lat,
      lon, lat, lon + 0.03);
  text += "110 1 0.25 0.00 Taxiway\n";
  for (int node = 0; node < kTaxiwayNodes / 2; ++node) {
    text += fmt::format("111 {:.8f} {:.8f}\n112 {:.8f} {:.8f} {:.8f} {:.8f} 1 102\n",
                        lat + node * 1e-4, lon, lat, lon + node * 1e-4, lat + 1e-5, lon + 1e-5);
  }
  text += "120 Taxiway line\n1201 47.46 -122.30 both 0 A1\n1202 0 1 twoway taxiway A\n";
}

class GeneratedFile {
 public:
  GeneratedFile() : path_(std::filesystem::temp_directory_path() / "korvanta-bench-apt.dat") {
    std::ofstream out(path_, std::ios::binary);
    out << "I\n1200 Version - data cycle 2613, build 20261203, generated\n";
    std::string text;
    for (int number = 0; number < kAirports; ++number) {
      AppendAirport(text, number);
      if (text.size() > (std::size_t{1} << 22)) {
        out << text;
        text.clear();
      }
    }
    out << text << "\n99\n";
    if (!out)
      throw std::runtime_error("cannot write the generated airport file");
  }
  ~GeneratedFile() {
    std::error_code ec;
    std::filesystem::remove(path_, ec);
  }
  GeneratedFile(const GeneratedFile&) = delete;
  GeneratedFile& operator=(const GeneratedFile&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

const GeneratedFile& File() {
  static const GeneratedFile file;
  return file;
}

void BM_ScanXPlaneAirports(benchmark::State& state) {
  const std::filesystem::path& file = File().Path();
  const std::vector<std::string> icaos = {AirportIcao(0), AirportIcao(kAirports / 2),
                                          AirportIcao(kAirports - 1)};
  for (auto _ : state) {
    const korvanta::XPlaneAirportScan scan = korvanta::ScanXPlaneAirportFile(file, icaos);
    if (scan.airports.size() != icaos.size())
      state.SkipWithError("the generated airports were not all found");
    benchmark::DoNotOptimize(scan);
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(std::filesystem::file_size(file)));
}
BENCHMARK(BM_ScanXPlaneAirports)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
