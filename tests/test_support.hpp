#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "io/utf8_path.hpp"
#include "route/tables.hpp"

namespace korvanta::test {

// A fresh folder below the system's temporary folder, removed at the end.
class TempDir {
 public:
  TempDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() /
            ("korvanta-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

inline std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::filesystem::path& file, const std::string& bytes) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out << bytes;
}

// The names of the files and folders in `folder`, sorted.
inline std::vector<std::string> FileNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(PathToUtf8(entry.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

inline std::filesystem::path DataDir() {
  return KORVANTA_TEST_DATA;
}

// A waypoint table holding `rows`, in order.
inline WaypointTable Table(const std::vector<Waypoint>& rows) {
  WaypointTable waypoints;
  for (const Waypoint& r : rows)
    waypoints.Append(r);
  return waypoints;
}

// Route text written in a test: `marker` stands for the degree sign.
inline std::string WithDegreeSign(const std::string& text, char marker) {
  std::string out;
  for (const char c : text) {
    if (c == marker)
      out += "\xC2\xB0";
    else
      out += c;
  }
  return out;
}

// `row` with its position read from its coordinate texts, as the route
// source reads them.
inline Waypoint Positioned(Waypoint row) {
  const CoordinateReading latitude = ReadDmsLatitude(row.lat);
  const CoordinateReading longitude = ReadDmsLongitude(row.lon);
  row.position = {latitude.hundredths, longitude.hundredths};
  row.lat_fault = latitude.fault;
  row.lon_fault = longitude.fault;
  return row;
}

// A waypoint row for a writer test, its position read from `lat` and `lon`
// as the route text gives them; "*" stands for the degree sign.
inline Waypoint Row(const std::string& id, const std::string& lat, const std::string& lon,
                    const std::string& route = "", const std::string& kind = "I",
                    const std::string& freq = "0") {
  Waypoint r;
  r.id = id;
  r.lat = WithDegreeSign(lat, '*');
  r.lon = WithDegreeSign(lon, '*');
  r.route = route;
  r.kind = KindOfLetter(kind);
  r.freq = freq;
  return Positioned(std::move(r));
}

// A route header for a writer test: the airports' codes, their names and
// elevations (feet), and the cruise altitude.
inline RouteHeader Header(std::string departure, std::string destination,
                          std::string departure_name = "ALPHA",
                          std::string destination_name = "BETA", int departure_elevation = 0,
                          int destination_elevation = 0, int cruise = 33000) {
  RouteHeader header;
  header.departure_icao = std::move(departure);
  header.destination_icao = std::move(destination);
  header.departure_name = std::move(departure_name);
  header.destination_name = std::move(destination_name);
  header.departure_elevation = departure_elevation;
  header.destination_elevation = destination_elevation;
  header.cruise_altitude = cruise;
  return header;
}

// The FS2004 plan text of the example route (tests/data/example_route.txt:
// an airport at each end, an intersection on an airway, a VOR and an NDB),
// line by line; the runway line only when `runway` is not empty.
inline std::vector<std::string> ExamplePlanLines(const std::string& runway = "25L",
                                                 const std::string& dep_name = "ALPHA_INTL",
                                                 const std::string& dest_name = "BETA FIELD") {
  std::vector<std::string> lines = {
      "[flightplan]",
      "AppVersion=9.0.30612",
      "title=EAAA to EBBB",
      "description=EAAA, EBBB",
      "type=IFR",
      "routetype=3",
      "cruising_altitude=33000",
      "departure_id=EAAA, N50* 2.00', E008* 34.23', +000364.00",
  };
  if (!runway.empty())
    lines.push_back("departure_position=" + runway);
  const std::vector<std::string> rest = {
      "destination_id=EBBB, N50* 52.00', E005* 15.00', +000050.00",
      "departure_name=" + dep_name,
      "destination_name=" + dest_name,
      "waypoint.0=, EAAA, , EAAA, A, N50* 2.00', E008* 34.23', +000364.00 , ",
      "waypoint.1=, TOBAK, , TOBAK, I, N50* 5.50', E008* 17.00', +000000.00 , UL602",
      "waypoint.2=, RUDOL, , RUDOL, V, N50* 20.00', E007* 10.00', +000000.00 , ",
      "waypoint.3=, KOMAR, , KOMAR, N, N50* 40.00', E006* 0.00', +000000.00 , ",
      "waypoint.4=, EBBB, , EBBB, A, N50* 52.00', E005* 15.00', +000050.00 , ",
      "",
      "",
      "[FSC]",
      "DepartAPCode=EAAA",
      "DepartNum=0",
      "DepartID=08",
      "DepartType=Rwy",
      "DestAPCode=EBBB",
      "RouteType=3",
      "SID=",
      "STAR=",
      "WP=1,Int,TOBAK,TOBAK,50.091667,8.283333,0.00,274.0000,0.000,1,100,UL602",
      "WP=2,Int,RUDOL,RUDOL,50.333333,7.166667,114.30,280.0000,0.000,1,100,",
      "WP=3,Int,KOMAR,KOMAR,50.666667,6.000000,385.00,285.0000,0.000,1,100,",
  };
  lines.insert(lines.end(), rest.begin(), rest.end());
  return lines;
}

// Joins lines with CR LF, each line ended.
inline std::string CrLf(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines)
    out += l + "\r\n";
  return out;
}

struct CommandResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs korvanta-cli with the given argument text (quoted as for a POSIX
// shell) and optional standard input file; captures both output streams.
// Lines end with LF in the captured text on every platform.
CommandResult RunCli(const std::string& args, const std::string& stdin_file = "");

// Sets an environment variable of this process (and the programs it starts).
void SetEnvironment(const std::string& name, const std::string& value);

// Whether the tests run as Windows programs.
#ifdef _WIN32
inline constexpr bool kOnWindows = true;
#else
inline constexpr bool kOnWindows = false;
#endif

// A test of what one platform has (a Linux tool, the desktop's viewer)
// says why it does not run on the other.
#define KORVANTA_LINUX_ONLY(why)    \
  if (::korvanta::test::kOnWindows) \
  GTEST_SKIP() << "Linux only: " why

// A test that reads a file back with a program written elsewhere skips
// when that program is not installed.
#define KORVANTA_REQUIRE_TOOL(tool, package)                        \
  if (std::system("command -v " tool " > /dev/null 2>&1") != 0)     \
  GTEST_SKIP() << tool " is not installed (Debian package " package \
                       "; scripts/install-deps installs it)"

}  // namespace korvanta::test
