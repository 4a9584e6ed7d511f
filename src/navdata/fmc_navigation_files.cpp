#include "navdata/fmc_navigation_files.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <string>
#include <system_error>
#include <utility>
#include <variant>

#include "io/file_name_case.hpp"
#include "io/file_read.hpp"
#include "io/utf8_path.hpp"
#include "route/position.hpp"
#include "text/cp1252.hpp"
#include "text/lines.hpp"
#include "text/numbers.hpp"
#include "text/text.hpp"

namespace korvanta {

namespace {

// A fixed column range of a line, counted from 0.
struct Columns {
  std::size_t first;
  std::size_t width;
};

constexpr Columns kFixId{24, 5};
constexpr Columns kFixLatitude{29, 10};
constexpr Columns kFixLongitude{39, 11};
constexpr Columns kNavaidId{24, 4};
constexpr Columns kNavaidType{29, 4};
constexpr Columns kNavaidLatitude{33, 10};
constexpr Columns kNavaidLongitude{43, 11};
constexpr Columns kNavaidFrequency{54, 6};

struct NavaidType {
  std::string_view text;
  WaypointKind kind;
};

// The types that are en-route points; ILS, localizers and the like are not.
constexpr std::array<NavaidType, 4> kNavaidTypes{{{"VOR", WaypointKind::kVor},
                                                  {"VORD", WaypointKind::kVor},
                                                  {"DME", WaypointKind::kVor},
                                                  {"NDB", WaypointKind::kNdb}}};

constexpr std::size_t kAirwayFields = 5;
constexpr std::size_t kMostFractionDigits = 9;
constexpr std::size_t kCycleDigits = 4;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The piece of the line in those columns; it may end early where the line
// does.
std::string_view Piece(std::string_view line, Columns columns) {
  return columns.first < line.size() ? line.substr(columns.first, columns.width)
                                     : std::string_view();
}

// The line holds at least the first character of those columns.
bool Reaches(std::string_view line, Columns columns) {
  return line.size() > columns.first;
}

// An identifier as a field gives it: trimmed, and ended by a NUL, which
// ends it where the index stores it.
std::string_view Identifier(std::string_view field) {
  return Trim(field.substr(0, field.find('\0')));
}

// A run of decimal digits and nothing else.
std::optional<std::uint64_t> Digits(std::string_view text) {
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
      text.front() == '-' || text.front() == '+')
    return std::nullopt;
  return value;
}

// Signed decimal degrees ("51.477500", "-0.484976"), in hundredths of an
// arc-second rounded half away from zero.
CoordinateReading ReadDegrees(std::string_view text, std::int32_t limit) {
  constexpr CoordinateReading kDoesNotRead{0, CoordinateFault::kDoesNotRead};
  text = Trim(text);
  const bool negative = text.starts_with('-');
  if (negative || text.starts_with('+'))
    text.remove_prefix(1);
  const std::size_t dot = text.find('.');
  const std::string_view whole_text = text.substr(0, dot);
  const std::string_view fraction_text =
      dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
  const auto whole = Digits(whole_text);
  if (!whole || whole_text.size() > 3 || fraction_text.size() > kMostFractionDigits)
    return kDoesNotRead;
  if (!fraction_text.empty() && !Digits(fraction_text))
    return kDoesNotRead;
  const std::optional<std::int64_t> hundredths = RoundedDecimal(text, kHundredthsPerDegree);
  if (!hundredths)
    return kDoesNotRead;
  if (*hundredths > limit)
    return {0, CoordinateFault::kOutOfRange};
  const auto angle = static_cast<std::int32_t>(*hundredths);
  return {negative ? -angle : angle, CoordinateFault::kNone};
}

// A frequency as the navaids file writes it ("115.50", "391.00"), in
// hundredths of its unit; 0 when it does not read.
std::uint32_t ReadFrequency(std::string_view text) {
  text = Trim(text);
  const std::size_t dot = text.find('.');
  const std::string_view fraction_text =
      dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
  const auto whole = Digits(text.substr(0, dot));
  const auto fraction =
      fraction_text.empty() ? std::optional<std::uint64_t>(0) : Digits(fraction_text);
  if (!whole || !fraction || *whole > 99999 || fraction_text.size() > 2)
    return 0;
  const std::uint64_t hundredths =
      *whole * 100 + (fraction_text.size() == 1 ? *fraction * 10 : *fraction);
  return static_cast<std::uint32_t>(hundredths);
}

// The AIRAC cycle a comment names: the first group of exactly four digits
// after the word "AIRAC" or "cycle" (in any case); none without the word.
std::optional<std::string_view> CycleOf(std::string_view comment) {
  std::string upper(comment);
  std::transform(upper.begin(), upper.end(), upper.begin(), AsciiUpper);
  std::size_t at = upper.find("AIRAC");
  if (at == std::string::npos)
    at = upper.find("CYCLE");
  while (at < comment.size()) {
    while (at < comment.size() && !IsDigit(comment[at]))
      ++at;
    const std::size_t first = at;
    while (at < comment.size() && IsDigit(comment[at]))
      ++at;
    if (at - first == kCycleDigits)
      return comment.substr(first, kCycleDigits);
  }
  return std::nullopt;
}

class FileReader {
 public:
  FileReader(std::string_view source, NavigationData& data) : source_(source), data_(data) {}

  // Every line of the text, with its number; stops at the first fault.
  template <typename ReadLine>
  std::optional<NavigationLoadError> ReadLines(std::string_view bytes, ReadLine&& read_line) {
    std::size_t number = 0;
    ForEachLine(bytes, [&](std::string_view line) {
      ++number;
      if (error_)
        return;
      if (line.starts_with(';')) {
        NoteCycle(line);
        return;
      }
      if (Trim(line).empty())
        return;
      if (const std::optional<std::string> fault = read_line(line)) {
        error_ = NavigationLoadError{
            fmt::format("Cannot read {}, line {}: {}", source_, number, *fault)};
      }
    });
    return std::move(error_);
  }

 private:
  void NoteCycle(std::string_view comment) {
    if (!data_.cycle.empty())
      return;
    if (const auto cycle = CycleOf(comment)) {
      data_.cycle = std::string(*cycle);
      data_.cycle_comment = InputToUtf8(Trim(comment));
    }
  }

  std::string_view source_;
  NavigationData& data_;
  std::optional<NavigationLoadError> error_;
};

std::string FieldText(std::string_view field) {
  return InputToUtf8(Trim(field));
}

// The place of a line, or what is wrong with it.
std::variant<Position, std::string> ReadPlace(std::string_view latitude_text,
                                              std::string_view longitude_text) {
  const CoordinateReading latitude = ReadDegrees(latitude_text, kLatitudeLimit);
  if (latitude.fault == CoordinateFault::kDoesNotRead)
    return fmt::format("the latitude \"{}\" does not read", FieldText(latitude_text));
  if (latitude.fault == CoordinateFault::kOutOfRange)
    return fmt::format("the latitude \"{}\" lies beyond 90 degrees", FieldText(latitude_text));
  const CoordinateReading longitude = ReadDegrees(longitude_text, kLongitudeLimit);
  if (longitude.fault == CoordinateFault::kDoesNotRead)
    return fmt::format("the longitude \"{}\" does not read", FieldText(longitude_text));
  if (longitude.fault == CoordinateFault::kOutOfRange)
    return fmt::format("the longitude \"{}\" lies beyond 180 degrees", FieldText(longitude_text));
  return Position{latitude.hundredths, longitude.hundredths};
}

constexpr std::string_view kTooShort = "the line is too short for its columns";
constexpr std::string_view kNoIdentifier = "no identifier";

std::optional<std::string> ReadFixLine(std::string_view line, NavigationData& data) {
  if (!Reaches(line, kFixLongitude))
    return std::string(kTooShort);
  const std::string_view id = Identifier(Piece(line, kFixId));
  if (id.empty())
    return std::string(kNoIdentifier);
  auto place = ReadPlace(Piece(line, kFixLatitude), Piece(line, kFixLongitude));
  if (auto* fault = std::get_if<std::string>(&place))
    return std::move(*fault);
  const Position position = std::get<Position>(place);
  // A navaid listed again as a fix is the navaid; only a name that fits the
  // navaids' column can be one.
  const std::optional<PointIndex> listed =
      id.size() <= kNavaidId.width ? data.PointNear(id, position) : std::nullopt;
  if (!listed || data.Point(*listed).kind == WaypointKind::kIntersection)
    data.AddPoint(id, {}, WaypointKind::kIntersection, position);
  return std::nullopt;
}

std::optional<std::string> ReadNavaidLine(std::string_view line, NavigationData& data) {
  if (!Reaches(line, kNavaidType))
    return std::string(kTooShort);
  const std::string_view type = Trim(Piece(line, kNavaidType));
  const auto known = std::find_if(kNavaidTypes.begin(), kNavaidTypes.end(),
                                  [type](const NavaidType& entry) { return entry.text == type; });
  if (known == kNavaidTypes.end())
    return std::nullopt;
  if (!Reaches(line, kNavaidLongitude))
    return std::string(kTooShort);
  const std::string_view id = Identifier(Piece(line, kNavaidId));
  if (id.empty())
    return std::string(kNoIdentifier);
  auto place = ReadPlace(Piece(line, kNavaidLatitude), Piece(line, kNavaidLongitude));
  if (auto* fault = std::get_if<std::string>(&place))
    return std::move(*fault);
  std::uint32_t frequency = ReadFrequency(Piece(line, kNavaidFrequency));
  if (known->kind == WaypointKind::kNdb)
    frequency = (frequency + 5) / 10;
  data.AddPoint(id, {}, known->kind, std::get<Position>(place), frequency);
  return std::nullopt;
}

// The blank-separated fields of a line, up to `Count`; the count found.
template <std::size_t Count>
std::size_t SplitFields(std::string_view line, std::array<std::string_view, Count>& fields) {
  std::size_t count = 0;
  std::size_t at = 0;
  while (count < Count) {
    at = line.find_first_not_of(" \t", at);
    if (at == std::string_view::npos)
      break;
    const std::size_t end = std::min(line.find_first_of(" \t", at), line.size());
    fields[count++] = line.substr(at, end - at);
    at = end;
  }
  return count;
}

// The airways file's lines in turn: where the previous line left its airway.
class AirwayListing {
 public:
  explicit AirwayListing(NavigationData& data) : data_(data) {}

  std::optional<std::string> ReadLine(std::string_view line) {
    std::array<std::string_view, kAirwayFields> fields;
    if (SplitFields(line, fields) < kAirwayFields)
      return std::string(kTooShort);
    auto place = ReadPlace(fields[3], fields[4]);
    if (auto* fault = std::get_if<std::string>(&place))
      return std::move(*fault);
    const std::string_view id = Identifier(fields[2]);
    if (id.empty())
      return std::string(kNoIdentifier);
    const std::string_view airway = fields[0];
    const std::optional<std::uint64_t> sequence = Digits(fields[1]);
    const PointIndex point = data_.PointAt(id, std::get<Position>(place));
    const bool follows = previous_point_ && airway == previous_airway_ && sequence &&
                         previous_sequence_ && *sequence == *previous_sequence_ + 1;
    if (follows && point != *previous_point_)
      data_.AddAirwayLeg(airway, *previous_point_, point);
    previous_airway_ = airway;
    previous_sequence_ = sequence;
    previous_point_ = point;
    return std::nullopt;
  }

 private:
  NavigationData& data_;
  std::string_view previous_airway_;
  std::optional<std::uint64_t> previous_sequence_;
  std::optional<PointIndex> previous_point_;
};

}  // namespace

std::optional<NavigationLoadError> ReadFmcNavigationText(FmcNavigationFile kind,
                                                         std::string_view bytes,
                                                         std::string_view source,
                                                         NavigationData& data) {
  FileReader reader(source, data);
  switch (kind) {
    case FmcNavigationFile::kFixes:
      return reader.ReadLines(bytes,
                              [&data](std::string_view line) { return ReadFixLine(line, data); });
    case FmcNavigationFile::kNavaids:
      return reader.ReadLines(
          bytes, [&data](std::string_view line) { return ReadNavaidLine(line, data); });
    case FmcNavigationFile::kAirways: {
      AirwayListing listing(data);
      return reader.ReadLines(bytes,
                              [&listing](std::string_view line) { return listing.ReadLine(line); });
    }
  }
  return std::nullopt;
}

namespace {

struct FileToRead {
  FmcNavigationFile kind;
  std::string_view name;
  bool required;
};

// Navaids before fixes, so that a fix that lists a navaid again is known as
// one; both before the airways, whose points they place.
constexpr std::array<FileToRead, 3> kFilesInOrder{{
    {FmcNavigationFile::kNavaids, kFmcNavaidsName, false},
    {FmcNavigationFile::kFixes, kFmcFixesName, true},
    {FmcNavigationFile::kAirways, kFmcAirwaysName, false},
}};

std::size_t LineCount(std::string_view bytes) {
  return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
}

}  // namespace

NavigationLoadResult LoadFmcNavigation(const std::filesystem::path& folder) {
  NavigationData data;
  for (const FileToRead& file : kFilesInOrder) {
    const std::optional<std::filesystem::path> path = FindFileIgnoringCase(folder, file.name);
    if (!path) {
      if (!file.required)
        continue;
      return NavigationLoadError{fmt::format("No {} in {}", file.name, ShownPath(folder))};
    }
    const FileRead read = ReadFileBytes(*path, kFmcNavigationFileLimit);
    if (!read.Ok())
      return NavigationLoadError{ReadFailureText(*path, read, kFmcNavigationFileLimit)};
    if (file.kind == FmcNavigationFile::kAirways)
      data.Reserve(data.PointCount(), LineCount(read.bytes));
    else
      data.Reserve(data.PointCount() + LineCount(read.bytes), 0);
    if (auto error = ReadFmcNavigationText(file.kind, read.bytes, ShownPath(*path), data))
      return std::move(*error);
  }
  data.Finish();
  data.description = "FMC data folder " + ShownPath(folder);
  return data;
}

}  // namespace korvanta
