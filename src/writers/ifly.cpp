#include "writers/ifly.hpp"

#include <fmt/format.h>

#include <charconv>
#include <cstddef>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "route/position.hpp"
#include "text/cp1252.hpp"
#include "text/numbers.hpp"
#include "text/text.hpp"
#include "writers/coordinate_text.hpp"
#include "writers/six_character_id.hpp"

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
// are computed from, which are the written six decimals.
struct FixPosition {
  std::string lat_text;
  std::string lon_text;
  long double lat = 0;
  long double lon = 0;
};

long double WrittenDegrees(std::int32_t hundredths) {
  return static_cast<long double>(static_cast<double>(SixDecimalMicrodegrees(hundredths)) / 1e6);
}

FixPosition PositionOf(const Waypoint& row) {
  return {SixDecimalDegreesText(row.position.latitude),
          SixDecimalDegreesText(row.position.longitude), WrittenDegrees(row.position.latitude),
          WrittenDegrees(row.position.longitude)};
}

// A number text with one digit before its point gets a leading zero:
// "5.123456" becomes "05.123456"; "-5.123456" stays.
std::string PadWholeDigitsToTwo(std::string_view number) {
  if (number.find('.') == 1)
    return fmt::format("0{}", number);
  return std::string(number);
}

// Zeros after the sign up to three places before the point: "5.5" becomes
// "005.5", "-5.5" "-05.5".
std::string PadWholeDigitsToThree(std::string_view number) {
  const bool negative = !number.empty() && number.front() == '-';
  const std::string_view digits = negative ? number.substr(1) : number;
  // The point is looked for in the text as given, sign included: that is what
  // leaves a negative number one digit shorter, the sign taking its place.
  const std::size_t point = number.find('.');
  const std::string_view padding = point == 1 ? "00" : point == 2 ? "0" : "";
  return fmt::format("{}{}{}", negative ? "-" : "", padding, digits);
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
  return PadWholeDigitsToThree(GeneralText(course)).substr(0, kCourseWidth);
}

std::string WriteIflyPlan(const RouteHeader& route_header, const WaypointTable& route_waypoints) {
  const SixCharacterRoute route(route_header, route_waypoints);
  const RouteHeader& header = route.Header();
  const WaypointTable& waypoints = route.Waypoints();
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

  std::vector<FixPosition> positions;
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
    const FixPosition& a = positions[end - 1];
    const FixPosition& b = positions[end];
    const std::string_view airway = Trim(from.route);
    const std::string route_part =
        airway.empty() ? std::string("DIRECT,3,") : std::string(airway) + ",2,";
    const std::string course = IflyCourseText(InitialCourse(a.lat, a.lon, b.lat, b.lon));
    AppendCrLfLine(out, fmt::format("{}{},0, {} {},0,0,{},{}", route_part, to.id,
                                    PadWholeDigitsToTwo(b.lat_text),
                                    PadWholeDigitsToThree(b.lon_text).substr(0, kLongitudeWidth),
                                    course, kLegTail));
  }
  return Utf8ToCp1252(out);
}

}  // namespace korvanta
