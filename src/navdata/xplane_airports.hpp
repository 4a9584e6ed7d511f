#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "navdata/navigation_files.hpp"
#include "route/position.hpp"

namespace korvanta {

// X-Plane's airport file ("apt.dat") read a line at a time, for a few
// airports only: the file holds every airport of the world, some hundreds of
// megabytes. An airport's rows follow its header row (1 airport, 16 seaplane
// base, 17 heliport: elevation, two unused fields, identifier, name); its
// place is its datum ("1302 datum_lat", "1302 datum_lon"), else the middle
// of its first runway (row 100, both ends). Its ICAO code is the one a
// "1302 icao_code" row gives, else the header's identifier.
class XPlaneAirportScanner {
 public:
  explicit XPlaneAirportScanner(std::span<const std::string> icaos);

  // Takes the file's next line (without its line end).
  void TakeLine(std::string_view line);
  // Whether every airport asked for is found (or the "99" line read), so
  // that the rest of the file can stay unread.
  bool Done() const { return ended_ || found_count_ == found_.size(); }
  // The airports found, in the order asked for; call after the last line.
  std::vector<XPlaneAirport> Finish();

 private:
  struct Pending {
    std::string header_id;
    std::string icao_code;
    std::string name;
    std::int32_t elevation = 0;
    std::optional<std::int32_t> datum_latitude;
    std::optional<std::int32_t> datum_longitude;
    std::optional<Position> runway_middle;
  };
  void EndAirport();

  std::unordered_map<std::string, std::size_t> wanted_;  // ICAO code -> place in the answer
  std::vector<std::optional<XPlaneAirport>> found_;
  std::size_t found_count_ = 0;
  std::optional<Pending> airport_;  // the airport whose rows are being read
  bool ended_ = false;              // the "99" line was read
};

// The scan of a whole text, for tests and fuzzing.
std::vector<XPlaneAirport> ScanXPlaneAirportText(std::string_view text,
                                                 std::span<const std::string> icaos);

// The scan of the file, read in pieces and no further than the last airport
// asked for; `problem` says why the file could not be read (then the
// airports are those read before the fault).
struct XPlaneAirportScan {
  std::vector<XPlaneAirport> airports;
  std::string problem;
};
XPlaneAirportScan ScanXPlaneAirportFile(const std::filesystem::path& apt_dat,
                                        std::span<const std::string> icaos);

}  // namespace korvanta
