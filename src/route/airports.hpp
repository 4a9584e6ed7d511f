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

inline constexpr std::string_view kAirportsMissing = "File wpNavApt.txt missing";
// The airport list of the route finder is a few megabytes.
inline constexpr std::size_t kAirportListLimit = std::size_t{64} << 20;

// The airports of the PMDG FMC navigation data, for the airport elevations.
struct AirportDatabase {
  AirportElevations elevations;
  bool airports_loaded = false;

  // Elevation in feet of the airport `id` (UTF-8): the id in Windows-1252,
  // padded with blanks to four characters, looked up case-sensitively; 0 when
  // not found or not loaded.
  std::int32_t Elevation(std::string_view id) const;
  // The airport's name as the list gives it (UTF-8, trimmed); empty when the
  // list does not hold the airport or is not loaded.
  std::string Name(std::string_view id) const;
  // The middle of the airport's runway thresholds; none when the list does
  // not place the airport or is not loaded.
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

// Every line of the file becomes one `elevations` row: `icao` from characters 25-28,
// `alt` from characters 70-74 (0 when they do not read as an integer). A
// missing file gives "File wpNavApt.txt missing"; a read error stops the load
// with its message. `airports_loaded` is set only by a complete load.
AirportLoadResult LoadAirportDatabase(const std::filesystem::path& file, AirportDatabase& db,
                                      const LoadProgress& progress = {});

// The same from bytes already in memory (the loader and the fuzz target).
void LoadAirportLines(std::string_view bytes, AirportDatabase& db,
                      const LoadProgress& progress = {});

}  // namespace korvanta
