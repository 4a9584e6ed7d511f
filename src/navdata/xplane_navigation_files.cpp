#include "navdata/xplane_navigation_files.hpp"

#include <fmt/format.h>

#include <array>
#include <charconv>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <system_error>
#include <unordered_set>
#include <utility>
#include <vector>

#include "io/file_read.hpp"
#include "io/utf8_path.hpp"
#include "text/numbers.hpp"

namespace korvanta {

namespace {

// The three files are some tens of megabytes each for the whole world.
constexpr std::size_t kXPlaneFileLimit = std::size_t{256} << 20;
// Older layouts carry no ICAO region and no terminal area.
constexpr int kFirstRegionalVersion = 1100;

constexpr std::string_view kEnRoute = "ENRT";
constexpr std::string_view kIlsDmeName = "DME-ILS";
constexpr std::string_view kCycleMark = "data cycle";

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

// The lines of a text, numbered from 1; lines end at CR LF, LF or a lone CR.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : rest_(text) {}

  bool Next(std::string_view& line) {
    if (rest_.empty())
      return false;
    std::size_t end = 0;
    while (end < rest_.size() && rest_[end] != '\n' && rest_[end] != '\r')
      ++end;
    line = rest_.substr(0, end);
    std::size_t next = end;
    if (next < rest_.size())
      next += rest_.substr(next, 2) == "\r\n" ? 2 : 1;
    rest_.remove_prefix(next);
    ++number_;
    return true;
  }
  std::size_t Number() const { return number_; }

 private:
  std::string_view rest_;
  std::size_t number_ = 0;
};

// The first `Count` blank-separated fields of a line, and what follows them.
template <std::size_t Count>
struct LineFields {
  std::array<std::string_view, Count> at{};
  std::size_t count = 0;
  std::string_view rest;

  explicit LineFields(std::string_view line) {
    std::size_t pos = 0;
    while (count < Count) {
      while (pos < line.size() && IsBlank(line[pos]))
        ++pos;
      if (pos == line.size())
        break;
      const std::size_t begin = pos;
      while (pos < line.size() && !IsBlank(line[pos]))
        ++pos;
      at[count++] = line.substr(begin, pos - begin);
    }
    rest = TrimBlanks(line.substr(pos));
  }
};

// A non-negative decimal number ("362", "338.5") times `multiplier`, rounded
// half up; none when the text is no such number or the value exceeds `limit`.
std::optional<std::int64_t> ScaledDecimal(std::string_view text, std::int64_t multiplier,
                                          std::int64_t limit) {
  if (text.starts_with('+') || text.starts_with('-'))
    return std::nullopt;
  const std::optional<std::int64_t> value = RoundedDecimal(text, multiplier);
  if (!value || *value > limit)
    return std::nullopt;
  return value;
}

std::optional<int> ReadRowCode(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size())
    return std::nullopt;
  return value;
}

// The AIRAC cycle a version line names ("... data cycle 2613, build ..."):
// the digits after "data cycle"; empty when there are none.
std::string CycleOf(std::string_view version_line) {
  const std::size_t mark = version_line.find(kCycleMark);
  if (mark == std::string_view::npos)
    return {};
  std::string_view rest = version_line.substr(mark + kCycleMark.size());
  while (!rest.empty() && IsBlank(rest.front()))
    rest.remove_prefix(1);
  std::size_t digits = 0;
  while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9')
    ++digits;
  return std::string(rest.substr(0, digits));
}

bool IsVersionWord(std::string_view word) {
  return word.size() == 7 && (word[0] == 'V' || word[0] == 'v') && word.substr(1) == "ersion";
}

// Why a data row does not read; empty when it does.
using RowFault = std::string;

std::string Fault(std::string_view source, std::size_t line, std::string_view why) {
  return fmt::format("Cannot read {}, line {}: {}", source, line, why);
}

// Reads the header lines and hands each data row up to the "99" line to
// `row(line)`, which gives the row's fault or an empty text; the first
// fault ends the reading.
template <typename Row>
XPlaneReadResult ReadRows(std::string_view text, std::string_view source, Row&& row) {
  LineCursor lines(text);
  std::string_view line;
  if (!lines.Next(line) || (TrimBlanks(line) != "I" && TrimBlanks(line) != "A")) {
    return NavigationLoadError{Fault(source, 1,
                                     "not one of X-Plane's data files (no \"I\" or "
                                     "\"A\" on its first line)")};
  }
  if (!lines.Next(line))
    return NavigationLoadError{Fault(source, 2, "no version line")};
  const LineFields<2> version_fields(line);
  const std::optional<int> version =
      version_fields.count == 2 && IsVersionWord(version_fields.at[1])
          ? ReadRowCode(version_fields.at[0])
          : std::nullopt;
  if (!version)
    return NavigationLoadError{Fault(source, 2, "no version line")};
  if (*version < kFirstRegionalVersion) {
    return NavigationLoadError{
        Fault(source, 2,
              fmt::format("version {} is older than the layout of X-Plane 11 and 12", *version))};
  }
  XPlaneFileVersion result;
  result.version = *version;
  result.version_line = std::string(TrimBlanks(line));
  result.cycle = CycleOf(line);
  while (lines.Next(line)) {
    const std::string_view row_text = TrimBlanks(line);
    if (row_text.empty())
      continue;
    if (row_text == "99")
      return result;
    const RowFault fault = row(row_text);
    if (!fault.empty())
      return NavigationLoadError{Fault(source, lines.Number(), fault)};
  }
  return NavigationLoadError{
      fmt::format("Cannot read {}: it ends before its closing \"99\" line", source)};
}

RowFault TooFewFields(std::size_t count, std::size_t needed) {
  return fmt::format("{} fields where {} are needed", count, needed);
}

// Reads latitude and longitude into `position`; the fault when one does not read.
RowFault ReadPlace(std::string_view latitude, std::string_view longitude, Position& position) {
  const std::optional<std::int32_t> lat = XPlaneAngle(latitude, 90);
  if (!lat)
    return fmt::format("latitude \"{}\" does not read", latitude);
  const std::optional<std::int32_t> lon = XPlaneAngle(longitude, 180);
  if (!lon)
    return fmt::format("longitude \"{}\" does not read", longitude);
  position = {*lat, *lon};
  return {};
}

constexpr int kNdbRow = 2;
constexpr int kVorRow = 3;
constexpr int kDmeRow = 12;
constexpr int kStandaloneDmeRow = 13;

// A navaid's frequency as the point keeps it: an NDB's kilohertz in tenths,
// the others' 10 kHz units as they stand (hundredths of a megahertz).
std::optional<std::uint32_t> NavaidFrequency(int row_code, std::string_view text) {
  const std::optional<std::int64_t> value =
      ScaledDecimal(text, row_code == kNdbRow ? 10 : 1, std::numeric_limits<std::uint32_t>::max());
  if (!value)
    return std::nullopt;
  return static_cast<std::uint32_t>(*value);
}

std::optional<WaypointKind> KindOfPointType(std::string_view type) {
  if (type == "11")
    return WaypointKind::kIntersection;
  if (type == "2")
    return WaypointKind::kNdb;
  if (type == "3")
    return WaypointKind::kVor;
  return std::nullopt;
}

// An identifier and region as one key.
std::string NavaidKey(std::string_view id, std::string_view region) {
  std::string key(id);
  key += ' ';
  key += region;
  return key;
}

std::filesystem::path ChosenFile(const std::filesystem::path& xplane_folder,
                                 std::string_view name) {
  const std::filesystem::path custom = xplane_folder / "Custom Data" / PathFromUtf8(name);
  std::error_code ec;
  if (std::filesystem::is_regular_file(custom, ec))
    return custom;
  return xplane_folder / "Resources" / "default data" / PathFromUtf8(name);
}

const NavigationLoadError* ErrorOf(const XPlaneReadResult& result) {
  return std::get_if<NavigationLoadError>(&result);
}

}  // namespace

XPlaneNavigationFiles XPlaneNavigationFilesIn(const std::filesystem::path& xplane_folder) {
  return {ChosenFile(xplane_folder, "earth_fix.dat"), ChosenFile(xplane_folder, "earth_nav.dat"),
          ChosenFile(xplane_folder, "earth_awy.dat")};
}

std::optional<std::int32_t> XPlaneAngle(std::string_view text, int limit_degrees) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const std::optional<std::int64_t> magnitude =
      ScaledDecimal(text, kHundredthsPerDegree, std::int64_t{limit_degrees} * kHundredthsPerDegree);
  if (!magnitude)
    return std::nullopt;
  const auto value = static_cast<std::int32_t>(*magnitude);
  return negative ? -value : value;
}

XPlaneReadResult ReadXPlaneFixes(std::string_view text, std::string_view source,
                                 const XPlanePointTaker& take) {
  return ReadRows(text, source, [&](std::string_view line) -> RowFault {
    const LineFields<5> fields(line);
    if (fields.count < 5)
      return TooFewFields(fields.count, 5);
    XPlaneListedPoint point;
    if (RowFault fault = ReadPlace(fields.at[0], fields.at[1], point.position); !fault.empty())
      return fault;
    point.id = fields.at[2];
    point.terminal = fields.at[3] != kEnRoute;
    point.region = fields.at[4];
    take(point);
    return {};
  });
}

XPlaneReadResult ReadXPlaneNavaids(std::string_view text, std::string_view source,
                                   const XPlanePointTaker& take) {
  // A DME is only taken once the whole file is read: its VOR or NDB may
  // come after it.
  std::unordered_set<std::string> navaids;
  std::vector<XPlaneListedPoint> dmes;
  XPlaneReadResult result = ReadRows(text, source, [&](std::string_view line) -> RowFault {
    const LineFields<10> fields(line);
    const std::optional<int> row_code = ReadRowCode(fields.at[0]);
    if (!row_code)
      return fmt::format("row code \"{}\" does not read", fields.at[0]);
    const bool dme = *row_code == kDmeRow || *row_code == kStandaloneDmeRow;
    if (*row_code != kNdbRow && *row_code != kVorRow && !dme)
      return {};
    if (fields.count < 10)
      return TooFewFields(fields.count, 10);
    XPlaneListedPoint point;
    if (RowFault fault = ReadPlace(fields.at[1], fields.at[2], point.position); !fault.empty())
      return fault;
    const std::optional<std::uint32_t> frequency = NavaidFrequency(*row_code, fields.at[4]);
    if (!frequency)
      return fmt::format("frequency \"{}\" does not read", fields.at[4]);
    point.frequency = *frequency;
    point.kind = *row_code == kNdbRow ? WaypointKind::kNdb : WaypointKind::kVor;
    point.id = fields.at[7];
    point.terminal = fields.at[8] != kEnRoute;
    point.region = fields.at[9];
    if (dme) {
      if (!fields.rest.ends_with(kIlsDmeName))
        dmes.push_back(point);
      return {};
    }
    navaids.insert(NavaidKey(point.id, point.region));
    take(point);
    return {};
  });
  if (ErrorOf(result))
    return result;
  for (const XPlaneListedPoint& dme : dmes) {
    if (!navaids.contains(NavaidKey(dme.id, dme.region)))
      take(dme);
  }
  return result;
}

XPlaneReadResult ReadXPlaneAirways(std::string_view text, std::string_view source,
                                   const XPlaneSegmentTaker& take) {
  return ReadRows(text, source, [&](std::string_view line) -> RowFault {
    const LineFields<11> fields(line);
    if (fields.count < 11)
      return TooFewFields(fields.count, 11);
    const std::optional<WaypointKind> from_kind = KindOfPointType(fields.at[2]);
    const std::optional<WaypointKind> to_kind = KindOfPointType(fields.at[5]);
    if (!from_kind || !to_kind) {
      return fmt::format("point type \"{}\" is none of 11 (fix), 2 (NDB) and 3 (VOR)",
                         from_kind ? fields.at[5] : fields.at[2]);
    }
    take({{fields.at[0], fields.at[1], *from_kind},
          {fields.at[3], fields.at[4], *to_kind},
          fields.at[10]});
    return {};
  });
}

NavigationLoadResult LoadXPlaneNavigation(const std::filesystem::path& xplane_folder) {
  const XPlaneNavigationFiles files = XPlaneNavigationFilesIn(xplane_folder);
  std::array<std::string, 3> texts;
  const std::array<const std::filesystem::path*, 3> paths = {&files.fixes, &files.navaids,
                                                             &files.airways};
  for (std::size_t at = 0; at < texts.size(); ++at) {
    FileRead read = ReadFileBytes(*paths[at], kXPlaneFileLimit);
    if (!read.Ok())
      return NavigationLoadError{ReadFailureText(*paths[at], read, kXPlaneFileLimit)};
    texts[at] = std::move(read.bytes);
  }

  NavigationData data;
  // About one point in 50 bytes and one airway segment in 45.
  data.Reserve((texts[0].size() + texts[1].size()) / 50, texts[2].size() / 45);
  // Terminal-area points join after the airways: an airway's ends are en
  // route points, and a terminal listing of the same identifier and region
  // must not stand in for one.
  std::vector<XPlaneListedPoint> terminal_points;
  const XPlanePointTaker add = [&](const XPlaneListedPoint& point) {
    if (point.terminal)
      terminal_points.push_back(point);
    else
      data.AddPoint(point.id, point.region, point.kind, point.position, point.frequency);
  };
  const XPlaneReadResult fixes = ReadXPlaneFixes(texts[0], ShownPath(files.fixes), add);
  if (const NavigationLoadError* error = ErrorOf(fixes))
    return *error;
  const XPlaneReadResult navaids = ReadXPlaneNavaids(texts[1], ShownPath(files.navaids), add);
  if (const NavigationLoadError* error = ErrorOf(navaids))
    return *error;

  // The identifier index makes each end's look-up a search, not a scan.
  data.Finish();
  // The airway file gives no position, so an end that the fix and navaid
  // files do not hold cannot be placed: its segment is left out and counted.
  std::size_t skipped_segments = 0;
  const XPlaneReadResult airways = ReadXPlaneAirways(
      texts[2], ShownPath(files.airways), [&](const XPlaneAirwaySegment& segment) {
        const std::optional<PointIndex> from =
            data.PointOf(segment.from.id, segment.from.region, segment.from.kind);
        const std::optional<PointIndex> to =
            data.PointOf(segment.to.id, segment.to.region, segment.to.kind);
        if (!from || !to) {
          ++skipped_segments;
          return;
        }
        std::string_view names = segment.airways;
        while (!names.empty()) {
          const std::size_t dash = names.find('-');
          const std::string_view name = names.substr(0, dash);
          if (!name.empty())
            data.AddAirwayLeg(name, *from, *to);
          names = dash == std::string_view::npos ? std::string_view() : names.substr(dash + 1);
        }
      });
  if (const NavigationLoadError* error = ErrorOf(airways))
    return *error;
  for (const XPlaneListedPoint& point : terminal_points)
    data.AddPoint(point.id, point.region, point.kind, point.position, point.frequency);
  data.Finish();

  for (const XPlaneReadResult* result : {&fixes, &navaids, &airways}) {
    const XPlaneFileVersion& version = std::get<XPlaneFileVersion>(*result);
    if (!version.cycle.empty()) {
      data.cycle = version.cycle;
      data.cycle_comment = version.version_line;
      break;
    }
  }
  data.description = "X-Plane " + ShownPath(xplane_folder);
  if (skipped_segments > 0) {
    data.description += fmt::format(
        " ({} airway segments left out: an end is in neither the fix nor the navaid file)",
        skipped_segments);
  }
  return data;
}

}  // namespace korvanta
