#include "navdata/xplane_airports.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <system_error>
#include <utility>

#include "io/file_read.hpp"
#include "io/read_handle.hpp"
#include "navdata/xplane_navigation_files.hpp"
#include "text/cp1252.hpp"

namespace korvanta {

namespace {

constexpr std::size_t kPieceSize = std::size_t{1} << 20;
// No row read here is longer; a longer line is read by its start only, so
// that a file without line ends cannot fill the memory.
constexpr std::size_t kLongestLine = std::size_t{1} << 16;

constexpr int kAirportRow = 1;
constexpr int kSeaplaneBaseRow = 16;
constexpr int kHeliportRow = 17;
constexpr int kRunwayRow = 100;
constexpr int kMetadataRow = 1302;
constexpr int kEndRow = 99;

// The runway row's fields: each end's latitude and longitude.
constexpr std::size_t kFirstEndLatitude = 9;
constexpr std::size_t kSecondEndLatitude = 18;

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}

// The next blank-separated field of `rest`, which is stepped past it.
std::string_view NextField(std::string_view& rest) {
  std::size_t begin = 0;
  while (begin < rest.size() && IsBlank(rest[begin]))
    ++begin;
  std::size_t end = begin;
  while (end < rest.size() && !IsBlank(rest[end]))
    ++end;
  const std::string_view field = rest.substr(begin, end - begin);
  rest.remove_prefix(end);
  return field;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

// The row code at the start of a line; none for a line that starts otherwise.
std::optional<int> RowCode(std::string_view line) {
  int code = 0;
  const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), code);
  if (error != std::errc() || (end != line.data() + line.size() && !IsBlank(*end)))
    return std::nullopt;
  return code;
}

// Whole feet; 0 when the text does not start with a number.
std::int32_t Feet(std::string_view text) {
  std::int32_t feet = 0;
  if (std::from_chars(text.data(), text.data() + text.size(), feet).ec != std::errc())
    return 0;
  return feet;
}

std::optional<Position> PlaceOf(std::string_view latitude, std::string_view longitude) {
  const std::optional<std::int32_t> lat = XPlaneAngle(latitude, 90);
  const std::optional<std::int32_t> lon = XPlaneAngle(longitude, 180);
  if (!lat || !lon)
    return std::nullopt;
  return Position{*lat, *lon};
}

// Halfway between two places; a runway across the 180th meridian is met on
// its own side.
Position Middle(Position one, Position other) {
  std::int64_t lon_one = one.longitude;
  std::int64_t lon_other = other.longitude;
  if (lon_one - lon_other > kLongitudeLimit)
    lon_other += 2 * std::int64_t{kLongitudeLimit};
  else if (lon_other - lon_one > kLongitudeLimit)
    lon_one += 2 * std::int64_t{kLongitudeLimit};
  std::int64_t longitude = (lon_one + lon_other) / 2;
  if (longitude > kLongitudeLimit)
    longitude -= 2 * std::int64_t{kLongitudeLimit};
  const std::int64_t latitude = (std::int64_t{one.latitude} + other.latitude) / 2;
  return {static_cast<std::int32_t>(latitude), static_cast<std::int32_t>(longitude)};
}

// The middle of a runway row's two ends (the whole row); none when they do
// not read.
std::optional<Position> RunwayMiddle(std::string_view row) {
  std::array<std::string_view, kSecondEndLatitude + 2> fields{};
  for (std::string_view& field : fields)
    field = NextField(row);
  const std::optional<Position> first =
      PlaceOf(fields[kFirstEndLatitude], fields[kFirstEndLatitude + 1]);
  const std::optional<Position> second =
      PlaceOf(fields[kSecondEndLatitude], fields[kSecondEndLatitude + 1]);
  if (!first || !second)
    return std::nullopt;
  return Middle(*first, *second);
}

}  // namespace

XPlaneAirportScanner::XPlaneAirportScanner(std::span<const std::string> icaos)
    : found_(icaos.size()) {
  for (std::size_t at = 0; at < icaos.size(); ++at) {
    if (!wanted_.try_emplace(icaos[at], at).second)
      ++found_count_;  // asked for twice: the first place in the answer takes it
  }
}

void XPlaneAirportScanner::TakeLine(std::string_view line) {
  if (ended_)
    return;
  const std::optional<int> code = RowCode(line);
  if (!code)
    return;
  std::string_view rest = line;
  NextField(rest);  // the row code
  switch (*code) {
    case kAirportRow:
    case kSeaplaneBaseRow:
    case kHeliportRow: {
      EndAirport();
      const std::string_view elevation = NextField(rest);
      NextField(rest);
      NextField(rest);
      const std::string_view id = NextField(rest);
      if (id.empty())
        return;
      Pending airport;
      airport.header_id = std::string(id);
      airport.name = InputToUtf8(TrimBlanks(rest));
      airport.elevation = Feet(elevation);
      airport_ = std::move(airport);
      return;
    }
    case kMetadataRow: {
      if (!airport_)
        return;
      const std::string_view key = NextField(rest);
      const std::string_view value = NextField(rest);
      if (key == "datum_lat")
        airport_->datum_latitude = XPlaneAngle(value, 90);
      else if (key == "datum_lon")
        airport_->datum_longitude = XPlaneAngle(value, 180);
      else if (key == "icao_code" && !value.empty())
        airport_->icao_code = std::string(value);
      return;
    }
    case kRunwayRow:
      if (airport_ && !airport_->runway_middle)
        airport_->runway_middle = RunwayMiddle(line);
      return;
    case kEndRow:
      EndAirport();
      ended_ = true;
      return;
    default:
      return;
  }
}

void XPlaneAirportScanner::EndAirport() {
  if (!airport_)
    return;
  Pending airport = std::move(*airport_);
  airport_.reset();
  const std::string& icao = airport.icao_code.empty() ? airport.header_id : airport.icao_code;
  const auto wanted = wanted_.find(icao);
  if (wanted == wanted_.end() || found_[wanted->second])
    return;
  std::optional<Position> place = airport.runway_middle;
  if (airport.datum_latitude && airport.datum_longitude)
    place = Position{*airport.datum_latitude, *airport.datum_longitude};
  if (!place)
    return;
  found_[wanted->second] = XPlaneAirport{icao, std::move(airport.name), *place, airport.elevation};
  ++found_count_;
}

std::vector<XPlaneAirport> XPlaneAirportScanner::Finish() {
  EndAirport();
  std::vector<XPlaneAirport> airports;
  for (std::optional<XPlaneAirport>& airport : found_) {
    if (airport)
      airports.push_back(std::move(*airport));
  }
  return airports;
}

namespace {

// Hands each line of a piece of text to the scanner; lines end at LF, CR LF
// or a lone CR.
void TakeLines(std::string_view text, XPlaneAirportScanner& scanner) {
  while (!text.empty()) {
    const void* line_feed = std::memchr(text.data(), '\n', text.size());
    std::string_view line =
        line_feed
            ? text.substr(
                  0, static_cast<std::size_t>(static_cast<const char*>(line_feed) - text.data()))
            : text;
    text.remove_prefix(line_feed ? line.size() + 1 : text.size());
    while (const void* carriage_return = std::memchr(line.data(), '\r', line.size())) {
      const auto end =
          static_cast<std::size_t>(static_cast<const char*>(carriage_return) - line.data());
      scanner.TakeLine(line.substr(0, end));
      line.remove_prefix(end + 1);
    }
    if (!line.empty())
      scanner.TakeLine(line);
  }
}

// Appends to `cut_line` as much of `text` as a line is read of.
void AppendCut(std::string& cut_line, std::string_view text) {
  cut_line.append(text.substr(0, kLongestLine - std::min(kLongestLine, cut_line.size())));
}

}  // namespace

std::vector<XPlaneAirport> ScanXPlaneAirportText(std::string_view text,
                                                 std::span<const std::string> icaos) {
  XPlaneAirportScanner scanner(icaos);
  TakeLines(text, scanner);
  return scanner.Finish();
}

XPlaneAirportScan ScanXPlaneAirportFile(const std::filesystem::path& apt_dat,
                                        std::span<const std::string> icaos) {
  XPlaneAirportScan scan;
  XPlaneAirportScanner scanner(icaos);
  ReadHandle handle(apt_dat);
  FileRead failure;
  if (!handle.IsOpen()) {
    failure.status = ReadStatus::kCannotOpen;
    failure.reason = handle.Error();
  } else if (handle.Type() != OpenedType::kRegularFile) {
    failure.status = ReadStatus::kNotRegularFile;
  }
  // The start of a line that the last piece cut; a line is read up to its
  // first kLongestLine bytes.
  std::string cut_line;
  std::string piece(kPieceSize, '\0');
  while (failure.Ok() && !scanner.Done()) {
    const std::optional<std::size_t> count = handle.Read(piece.data(), piece.size());
    if (!count) {
      failure.status = ReadStatus::kCannotRead;
      failure.reason = handle.Error();
      break;
    }
    if (*count == 0)
      break;
    std::string_view text(piece.data(), *count);
    while (!text.empty() && !scanner.Done()) {
      const void* line_feed = std::memchr(text.data(), '\n', text.size());
      if (!line_feed) {
        AppendCut(cut_line, text);
        break;
      }
      const auto length =
          static_cast<std::size_t>(static_cast<const char*>(line_feed) - text.data());
      if (cut_line.empty()) {
        TakeLines(text.substr(0, length), scanner);
      } else {
        AppendCut(cut_line, text.substr(0, length));
        TakeLines(cut_line, scanner);
        cut_line.clear();
      }
      text.remove_prefix(length + 1);
    }
  }
  if (!scanner.Done())
    TakeLines(cut_line, scanner);
  scan.airports = scanner.Finish();
  if (!failure.Ok())
    scan.problem = ReadFailureText(apt_dat, failure, kWholeFile);
  return scan;
}

std::vector<XPlaneAirport> ScanXPlaneAirports(const std::filesystem::path& apt_dat,
                                              std::span<const std::string> icaos) {
  return ScanXPlaneAirportFile(apt_dat, icaos).airports;
}

std::optional<std::filesystem::path> XPlaneAirportFile(const std::filesystem::path& xplane_folder) {
  const std::filesystem::path earth_nav_data = std::filesystem::path("Earth nav data") / "apt.dat";
  const std::filesystem::path candidates[] = {
      xplane_folder / "Global Scenery" / "Global Airports" / earth_nav_data,
      xplane_folder / "Custom Scenery" / "Global Airports" / earth_nav_data,
      xplane_folder / "Resources" / "default scenery" / "default apt dat" / earth_nav_data,
  };
  for (const std::filesystem::path& candidate : candidates) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(candidate, ec))
      return candidate;
  }
  return std::nullopt;
}

}  // namespace korvanta
