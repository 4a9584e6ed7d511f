#include "writers/ifly.hpp"

#include <fmt/format.h>

#include <charconv>
#include <cstddef>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "errors/run_error.hpp"
#include "route/conversions.hpp"
#include "text/cp1252.hpp"
#include "text/numbers.hpp"
#include "text/text.hpp"

namespace korvanta {

namespace {

constexpr std::size_t kLongitudeWidth = 10;
constexpr std::size_t kCourseWidth = 9;
constexpr int kSignificantDigits = 15;

// The default values that end every leg line.
constexpr std::string_view kLegTail =
    "0,0,1,-1,0.000,0,-1000,-1000,-1,-1,-1,0,0,000.00000,0,0,,-1000,-1,-1,-1000,0,-1000,-1,-1,"
    "-1000,0,-1000,-1,-1,-1000,0,-1000,-1,-1,-1000,0,-1000,-1000,0,";

// A fix's position: the decimal texts as written and the numbers the courses
// are computed from.
struct Position {
  std::string lat_text;
  std::string lon_text;
  long double lat = 0;
  long double lon = 0;
};

long double ReadCoordinate(const Waypoint& row, std::string_view dms, const std::string& text) {
  const std::optional<double> value = ReadDecimal(text);
  if (!value) {
    throw RunError(
        fmt::format("Waypoint {}: the coordinate {} does not read as a number", row.id, dms));
  }
  return static_cast<long double>(*value);
}

Position PositionOf(const Waypoint& row) {
  Position p;
  p.lat_text = DmsToDecimalText(row.lat);
  p.lon_text = DmsToDecimalText(row.lon);
  p.lat = ReadCoordinate(row, row.lat, p.lat_text);
  p.lon = ReadCoordinate(row, row.lon, p.lon_text);
  return p;
}

// The general number form of a positive value below 10^15: the value rounded
// to 15 significant digits, trailing zeros dropped, no point for a whole
// number, never an exponent: a course just east of north stays 0.0000025...
// rather than 2.5...E-6, which the padding and the cut to 9 characters would
// turn into a course of 2.5 degrees.
std::string GeneralText(long double value) {
  if (!(value > 0))
    return "0";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::scientific, kSignificantDigits - 1);
  if (result.ec != std::errc())
    return "0";
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');
  std::string digits;
  for (const char c : text.substr(0, e)) {
    if (c != '.')
      digits += c;
  }
  const int exponent = static_cast<int>(ReadInteger(text.substr(e + 1)).value_or(0));
  while (digits.size() > 1 && digits.back() == '0')
    digits.pop_back();

  std::string out;
  if (exponent < 0) {
    out = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  } else {
    const auto integer_digits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integer_digits) {
      out = digits + std::string(integer_digits - digits.size(), '0');
    } else {
      out = digits.substr(0, integer_digits) + "." + digits.substr(integer_digits);
    }
  }
  return out;
}

}  // namespace

std::string IflyCourseText(long double course) {
  return PadIntPart3(GeneralText(course)).substr(0, kCourseWidth);
}

std::string WriteIflyPlan(const RouteHeader& header, const WaypointTable& waypoints) {
  std::string out;
  AppendCrLfLine(out, header.departure_icao + ",");
  AppendCrLfLine(out, header.destination_icao + ",");
  AppendCrLfLine(out, ",");
  AppendCrLfLine(out, fmt::format("{},", header.cruise_altitude));
  for (int i = 0; i < 6; ++i)
    AppendCrLfLine(out, ",");
  AppendCrLfLine(out, "-1,");
  for (int i = 0; i < 4; ++i)
    AppendCrLfLine(out, ",");
  AppendCrLfLine(out, "-1,");

  std::vector<Position> positions;
  positions.reserve(waypoints.Count());
  for (const Waypoint& row : waypoints)
    positions.push_back(PositionOf(row));

  // Each leg runs from one row to the next and is written under the row it
  // ends at, with the airway that leaves the row it starts from. The leg
  // into the destination is not written: the airports are in the header.
  for (std::size_t end = 1; end < waypoints.Count(); ++end) {
    const Waypoint& from = waypoints[end - 1];
    const Waypoint& to = waypoints[end];
    if (to.id == header.destination_icao)
      continue;
    const Position& a = positions[end - 1];
    const Position& b = positions[end];
    const std::string_view airway = Trim(from.route);
    const std::string route_part =
        airway.empty() ? std::string("DIRECT,3,") : std::string(airway) + ",2,";
    const std::string course = IflyCourseText(InitialCourse(a.lat, a.lon, b.lat, b.lon));
    AppendCrLfLine(
        out, fmt::format("{}{},0, {} {},0,0,{},{}", route_part, to.id, PadIntPart2(b.lat_text),
                         PadIntPart3(b.lon_text).substr(0, kLongitudeWidth), course, kLegTail));
  }
  return Utf8ToCp1252(out);
}

}  // namespace korvanta
