#include "route/airports.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>
#include <vector>

#include "io/file_read.hpp"
#include "io/utf8_path.hpp"
#include "text/cp1252.hpp"
#include "text/numbers.hpp"

namespace korvanta {

namespace {
constexpr std::size_t kIcaoPos = 24;  // 0-based start of characters 25-28
constexpr std::size_t kIcaoLen = 4;
constexpr std::size_t kAltPos = 69;  // characters 70-74
constexpr std::size_t kAltLen = 5;
constexpr std::size_t kProgressEvery = 100;

std::string_view Piece(std::string_view line, std::size_t pos, std::size_t len) {
  if (pos >= line.size())
    return {};
  return line.substr(pos, len);
}
}  // namespace

std::int32_t AirportDatabase::Elevation(std::string_view id) const {
  if (!airports_loaded)
    return 0;
  // The database file is Windows-1252 and is looked up in its own bytes.
  std::string key = Utf8ToCp1252(id);
  if (key.size() < kIcaoLen)
    key.resize(kIcaoLen, ' ');
  const AirportElevation* row = elevations.FindFirst(key);
  return row ? row->alt : 0;
}

std::string AirportDatabase::Name(std::string_view /*id*/) const {
  return {};
}

std::optional<Position> AirportDatabase::Location(std::string_view /*id*/) const {
  return std::nullopt;
}

std::filesystem::path AirportDatabasePath(const std::filesystem::path& fs9_dir) {
  return fs9_dir / "Fmcwp" / "NAVDATA" / "wpNavApt.txt";
}

void LoadAirportLines(std::string_view bytes, AirportDatabase& db, const LoadProgress& progress) {
  db.airports_loaded = false;
  std::vector<PackedAirportElevation> entries;
  entries.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
  std::size_t counter = 0;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
    if (end == std::string_view::npos)
      end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);

    PackedAirportElevation entry;
    const std::string_view icao = Piece(line, kIcaoPos, kIcaoLen);
    std::copy(icao.begin(), icao.end(), entry.icao.begin());
    entry.size = static_cast<std::uint8_t>(icao.size());
    const auto alt = ReadInteger(Piece(line, kAltPos, kAltLen));
    entry.alt = alt ? static_cast<std::int32_t>(*alt) : 0;
    entries.push_back(entry);

    if (progress && counter % kProgressEvery == 0)
      progress(counter);
    ++counter;
    start = next;
  }
  db.elevations.AssignSorted(entries);
  db.airports_loaded = true;
}

AirportLoadResult LoadAirportDatabase(const std::filesystem::path& file, AirportDatabase& db,
                                      const LoadProgress& progress) {
  db.airports_loaded = false;
  std::error_code ec;
  if (!std::filesystem::exists(file, ec))
    return {false, std::string(kAirportsMissing)};

  // Anything else named so is that file's fault, said as it is: a FIFO or a
  // device is no airport list.
  const FileRead read = ReadFileBytes(file, kAirportListLimit);
  if (!read.Ok())
    return {false, ReadFailureText(file, read, kAirportListLimit)};
  LoadAirportLines(read.bytes, db, progress);
  return {true, {}};
}

}  // namespace korvanta
