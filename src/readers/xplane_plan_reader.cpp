#include "readers/xplane_plan_reader.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <variant>
#include <vector>

#include "readers/route_text_parser.hpp"
#include "text/cp1252.hpp"
#include "text/numbers.hpp"
#include "text/text.hpp"

namespace korvanta {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The plan's bytes as the core's UTF-8 text: valid UTF-8 stays, anything
// else is read as Windows-1252.
std::string CoreText(std::string_view bytes) {
  return InputToUtf8(bytes);
}

struct PlanLine {
  int number = 0;  // from 1
  std::vector<std::string_view> fields;
};

// The lines that are not blank, cut into their blank-separated fields.
std::vector<PlanLine> FieldLines(std::string_view text) {
  std::vector<PlanLine> lines;
  int number = 0;
  ForEachLine(text, [&](std::string_view line) {
    ++number;
    PlanLine fields{number, {}};
    std::size_t i = 0;
    while (i < line.size()) {
      i = std::min(line.find_first_not_of(" \t", i), line.size());
      const std::size_t end = std::min(line.find_first_of(" \t", i), line.size());
      if (end > i)
        fields.fields.push_back(line.substr(i, end - i));
      i = end;
    }
    if (!fields.fields.empty())
      lines.push_back(std::move(fields));
  });
  return lines;
}

bool IsNumber(std::string_view field) {
  return !field.empty() &&
         std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
}

WaypointKind KindOfType(std::string_view type) {
  if (type == "1")
    return WaypointKind::kAirport;
  if (type == "2")
    return WaypointKind::kNdb;
  if (type == "3")
    return WaypointKind::kVor;
  return WaypointKind::kIntersection;
}

// A point row: "type identifier altitude latitude longitude" in version 3,
// with the via field after the identifier in 11/12. A row of more fields is
// refused rather than read in shifted columns (a name with a blank in it).
std::variant<PlanPoint, PlanReadError> ReadPoint(const PlanLine& line, bool with_via) {
  const std::vector<std::string_view>& fields = line.fields;
  const std::size_t field_count = with_via ? 6 : 5;
  if (fields.size() > field_count) {
    return NotReadable(fmt::format("a point line holds {} fields where the format has {}",
                                   fields.size(), field_count),
                       line.number);
  }
  if (fields.size() < field_count || !IsNumber(fields[0]))
    return NotReadable("a point line does not read", line.number);
  const std::size_t at = with_via ? 3 : 2;  // the altitude's field
  PlanPoint point;
  point.id = std::string(fields[1]);
  point.kind = KindOfType(fields[0]);
  point.named_from_position = fields[0] == "28";  // a latitude/longitude point
  point.lat = ReadDecimalAngle(fields[at + 1]);
  point.lon = ReadDecimalAngle(fields[at + 2]);
  point.position_text = fmt::format("{} {}", fields[at + 1], fields[at + 2]);
  point.altitude = ReadFeet(fields[at]);
  if (with_via)
    point.airway = AirwayFromVia(fields[2]);
  return point;
}

// The lines that hold more than blanks, whatever ends them.
std::size_t LinesWithText(std::string_view bytes) {
  std::size_t count = 0;
  bool text_in_line = false;
  for (const char byte : bytes) {
    if (byte == '\n' || byte == '\r') {
      text_in_line = false;
    } else if (!text_in_line && byte != ' ' && byte != '\t') {
      text_in_line = true;
      ++count;
    }
  }
  return count;
}

}  // namespace

PlanReadResult ReadXPlanePlan(std::string_view bytes, const AirportDatabase& airports) {
  // A point takes a line: a plan of far more lines with text than the points
  // a route may have, plus its header lines, is refused before its lines are
  // split.
  constexpr std::size_t kHeaderLines = 64;
  if (LinesWithText(bytes) > kPlanPointsLimit + kHeaderLines)
    return PlanReadError{std::string(kTooManyPlanPoints)};
  std::string text = CoreText(bytes);
  if (std::string_view(text).starts_with(kByteOrderMark))
    text.erase(0, kByteOrderMark.size());
  const std::vector<PlanLine> lines = FieldLines(text);

  if (lines.empty() || lines[0].fields.size() != 1 ||
      (lines[0].fields[0] != "I" && lines[0].fields[0] != "A"))
    return NotReadable("an X-Plane plan starts with a line \"I\" or \"A\"",
                       lines.empty() ? 1 : lines[0].number);
  const bool version_line =
      lines.size() > 1 && lines[1].fields.size() == 2 && EqualNoCase(lines[1].fields[1], "version");
  const bool version_3 = version_line && lines[1].fields[0] == "3";
  if (!version_3 && !(version_line && lines[1].fields[0] == "1100"))
    return NotReadable("the second line names no X-Plane plan version",
                       lines.size() > 1 ? lines[1].number : lines[0].number);

  std::vector<PlanPoint> points;
  PlanHeaderValues values;
  if (version_3) {
    // The number lines after the header are not checked: writers put
    // anything there, Korvanta's own "0".
    std::size_t first_point = 2;
    while (first_point < std::min<std::size_t>(lines.size(), 4) &&
           lines[first_point].fields.size() == 1)
      ++first_point;
    for (std::size_t i = first_point; i < lines.size(); ++i) {
      // A row of type 0 ("0 ---- 0 0.000000 0.000000") ends the points.
      if (lines[i].fields[0] == "0")
        break;
      auto point = ReadPoint(lines[i], false);
      if (auto* fault = std::get_if<PlanReadError>(&point))
        return *fault;
      points.push_back(std::move(std::get<PlanPoint>(point)));
    }
    // Version 3 writers that leave an airport's elevation to the reader put
    // 0 there, Korvanta's own included: the airport list gives it then.
    const auto zero_as_unset = [](PlanPoint& airport) {
      if (airport.altitude == 0)
        airport.altitude.reset();
    };
    if (!points.empty()) {
      zero_as_unset(points.front());
      zero_as_unset(points.back());
    }
    return MakePlanRoute(std::move(points), values, airports);
  }

  std::size_t i = 2;
  std::optional<std::int64_t> count;
  for (; i < lines.size() && !count; ++i) {
    const std::vector<std::string_view>& fields = lines[i].fields;
    if (IsNumber(fields[0]))
      return NotReadable("a point comes before the NUMENR line", lines[i].number);
    if (fields[0] == "NUMENR") {
      count = fields.size() == 2 && IsNumber(fields[1]) ? ReadInteger(fields[1]) : std::nullopt;
      if (!count)
        return NotReadable("NUMENR gives no count", lines[i].number);
    } else if (fields[0] == "DEPRWY" && fields.size() > 1) {
      std::string_view runway = fields[1];
      if (runway.starts_with("RW"))
        runway.remove_prefix(2);
      values.runway = std::string(runway);
    }
  }
  if (!count)
    return NotReadable("the NUMENR line is missing");
  for (; i < lines.size(); ++i) {
    auto point = ReadPoint(lines[i], true);
    if (auto* fault = std::get_if<PlanReadError>(&point))
      return *fault;
    points.push_back(std::move(std::get<PlanPoint>(point)));
  }
  TakeAirwaysFromNextPoint(points);
  PlanReadResult result = MakePlanRoute(std::move(points), values, airports);
  // A count that disagrees with the rows (a mission generator counts points
  // it does not list): the rows are the route, and the user is told.
  if (auto* route = std::get_if<PlanRoute>(&result);
      route != nullptr && static_cast<std::size_t>(*count) != route->waypoints.Count()) {
    route->notes.push_back(
        fmt::format("The plan counts {0} en-route points but lists {1}; the {1} listed were read",
                    *count, route->waypoints.Count()));
  }
  return result;
}

}  // namespace korvanta
