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
constexpr std::size_t kNamePos = 0;   // characters 1-24
constexpr std::size_t kIcaoPos = 24;  // 0-based start of characters 25-28
constexpr std::size_t kIcaoLen = 4;
constexpr std::size_t kLatitudePos = 39;  // characters 40-49: "N51.477500"
constexpr std::size_t kLatitudeLen = 10;
constexpr std::size_t kLongitudePos = 49;  // characters 50-60: "W000.484976"
constexpr std::size_t kLongitudeLen = 11;
constexpr std::size_t kAltPos = 69;  // characters 70-74
constexpr std::size_t kAltLen = 5;
constexpr std::size_t kProgressEvery = 100;
constexpr std::size_t kMostFractionDigits = 9;

std::string_view Piece(std::string_view line, std::size_t pos, std::size_t len) {
  if (pos >= line.size())
    return {};
  return line.substr(pos, len);
}

// The list is Windows-1252 and is looked up in its own bytes.
std::string LookupKey(std::string_view id) {
  std::string key = Utf8ToCp1252(id);
  if (key.size() < kIcaoLen)
    key.resize(kIcaoLen, ' ');
  return key;
}

// A threshold coordinate as the list writes it: a hemisphere letter, then
// decimal degrees ("N51.477500", "W000.484976"), in hundredths of an
// arc-second rounded half up; none when it does not read or lies beyond
// `limit`.
std::optional<std::int32_t> ReadThresholdAngle(std::string_view text, char positive, char negative,
                                               std::int32_t limit) {
  text = Trim(text);
  if (text.empty() || (text.front() != positive && text.front() != negative))
    return std::nullopt;
  const bool south_or_west = text.front() == negative;
  std::string_view rest = text.substr(1);
  const auto whole = TakeDigits(rest, 3);
  if (!whole)
    return std::nullopt;
  std::int64_t fraction = 0;
  std::int64_t scale = 1;
  if (rest.starts_with('.')) {
    rest.remove_prefix(1);
    const std::size_t before = rest.size();
    const auto read = TakeDigits(rest, kMostFractionDigits);
    if (!read)
      return std::nullopt;
    fraction = *read;
    for (std::size_t digit = rest.size(); digit < before; ++digit)
      scale *= 10;
  }
  if (!rest.empty())
    return std::nullopt;
  const std::int64_t hundredths =
      *whole * kHundredthsPerDegree + (fraction * kHundredthsPerDegree * 2 + scale) / (2 * scale);
  if (hundredths > limit)
    return std::nullopt;
  return static_cast<std::int32_t>(south_or_west ? -hundredths : hundredths);
}

std::optional<Position> ReadThreshold(std::string_view line) {
  const auto latitude =
      ReadThresholdAngle(Piece(line, kLatitudePos, kLatitudeLen), 'N', 'S', kLatitudeLimit);
  const auto longitude =
      ReadThresholdAngle(Piece(line, kLongitudePos, kLongitudeLen), 'E', 'W', kLongitudeLimit);
  if (!latitude || !longitude)
    return std::nullopt;
  return Position{*latitude, *longitude};
}

// The mean of `sum` over `count`, rounded half away from zero.
std::int32_t RoundedMean(std::int64_t sum, std::int64_t count) {
  const std::int64_t half = count / 2;
  return static_cast<std::int32_t>(sum >= 0 ? (sum + half) / count : (sum - half) / count);
}

// The middle of the thresholds: the mean of their latitudes and of their
// longitudes. Runways on both sides of the antimeridian are averaged on the
// side where they lie together (west longitudes taken beyond 180 east), so
// that an airport there is placed at its runways, not at the other side of
// the globe.
Position MiddleOf(const std::vector<Position>& thresholds) {
  const auto [west, east] = std::minmax_element(
      thresholds.begin(), thresholds.end(),
      [](const Position& a, const Position& b) { return a.longitude < b.longitude; });
  const bool across_antimeridian =
      static_cast<std::int64_t>(east->longitude) - west->longitude > kLongitudeLimit;
  std::int64_t latitudes = 0;
  std::int64_t longitudes = 0;
  for (const Position& threshold : thresholds) {
    latitudes += threshold.latitude;
    longitudes += threshold.longitude;
    if (across_antimeridian && threshold.longitude < 0)
      longitudes += 2 * std::int64_t{kLongitudeLimit};
  }
  const auto count = static_cast<std::int64_t>(thresholds.size());
  std::int32_t longitude = RoundedMean(longitudes, count);
  if (longitude > kLongitudeLimit)
    longitude -= 2 * kLongitudeLimit;
  return {RoundedMean(latitudes, count), longitude};
}

}  // namespace

std::int32_t AirportDatabase::Elevation(std::string_view id) const {
  if (!airports_loaded)
    return 0;
  const AirportRunway* row = runways.FindFirst(LookupKey(id));
  return row ? row->alt : 0;
}

std::string AirportDatabase::Name(std::string_view id) const {
  if (!airports_loaded)
    return {};
  const AirportRunway* row = runways.FindFirst(LookupKey(id));
  return row ? Cp1252ToUtf8(Trim(row->Name())) : std::string();
}

std::optional<Position> AirportDatabase::Location(std::string_view id) const {
  if (!airports_loaded)
    return std::nullopt;
  std::vector<Position> thresholds;
  for (const AirportRunway* row : runways.FindAll(LookupKey(id))) {
    if (row->threshold)
      thresholds.push_back(*row->threshold);
  }
  if (thresholds.empty())
    return std::nullopt;
  return MiddleOf(thresholds);
}

std::filesystem::path AirportDatabasePath(const std::filesystem::path& fs9_dir) {
  return fs9_dir / "Fmcwp" / "NAVDATA" / "wpNavApt.txt";
}

void LoadAirportLines(std::string_view bytes, AirportDatabase& db, const LoadProgress& progress) {
  db.airports_loaded = false;
  std::vector<PackedAirportRunway> entries;
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

    PackedAirportRunway entry;
    const std::string_view icao = Piece(line, kIcaoPos, kIcaoLen);
    std::copy(icao.begin(), icao.end(), entry.icao.begin());
    entry.size = static_cast<std::uint8_t>(icao.size());
    const std::string_view name = Piece(line, kNamePos, kAirportNameWidth);
    std::copy(name.begin(), name.end(), entry.name.begin());
    entry.name_size = static_cast<std::uint8_t>(name.size());
    entry.threshold = ReadThreshold(line);
    const auto alt = ReadInteger(Piece(line, kAltPos, kAltLen));
    entry.alt = alt ? static_cast<std::int32_t>(*alt) : 0;
    entries.push_back(entry);

    if (progress && counter % kProgressEvery == 0)
      progress(counter);
    ++counter;
    start = next;
  }
  db.runways.AssignSorted(entries);
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
