#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "route/tables.hpp"

namespace korvanta {

class NavigationSource;

inline constexpr std::string_view kAirportsMissing = "File wpNavApt.txt missing";
// The airport list of the route finder is a few megabytes.
inline constexpr std::size_t kAirportListLimit = std::size_t{64} << 20;

// The airports of the PMDG FMC navigation data (the list "wpNavApt.txt", one
// line per runway): their elevations, names and places.
struct AirportDatabase {
  AirportRunways runways;
  bool airports_loaded = false;
  // The rest of the user's navigation data (fixes, navaids, airways, and
  // X-Plane's airports when the list is missing), loaded when a reader
  // needs it; null when the run has none.
  const NavigationSource* navigation = nullptr;

  // Lookups take the id (UTF-8) in Windows-1252, padded with blanks to four
  // characters, and match it case-sensitively.

  // Elevation in feet of the airport `id`: that of its first runway in table
  // order; 0 when not found or not loaded.
  std::int32_t Elevation(std::string_view id) const;
  // The airport's name as its first runway's line gives it (UTF-8, trimmed);
  // empty when the list does not hold the airport or is not loaded.
  std::string Name(std::string_view id) const;
  // The middle of the airport's runway thresholds (the mean of those its
  // lines place); none when the list does not place the airport or is not
  // loaded.
  std::optional<Position> Location(std::string_view id) const;
};

// Where the database lives below the FS2004 folder.
std::filesystem::path AirportDatabasePath(const std::filesystem::path& fs9_dir);

struct AirportLoadResult {
  bool loaded = false;
  std::string message;  // empty when loaded; else the text to show the user
};

// Called with the line counter at 0, 100, 200 ... while loading.
using LoadProgress = std::function<void(std::size_t count)>;

// Every line of the file becomes one `runways` row: the name from characters
// 1-24, `icao` from 25-28, the threshold from 40-49 (latitude, "N51.477500")
// and 50-60 (longitude, "W000.484976"; none when either does not read or is
// out of range), `alt` from 70-74 (0 when they do not read as an integer). A
// missing file gives "File wpNavApt.txt missing"; a read error stops the load
// with its message. `airports_loaded` is set only by a complete load.
AirportLoadResult LoadAirportDatabase(const std::filesystem::path& file, AirportDatabase& db,
                                      const LoadProgress& progress = {});

// The same from bytes already in memory (the loader and the fuzz target).
void LoadAirportLines(std::string_view bytes, AirportDatabase& db,
                      const LoadProgress& progress = {});

}  // namespace korvanta
