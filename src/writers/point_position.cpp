#include "writers/point_position.hpp"

#include <fmt/format.h>

#include <cstdint>

#include "errors/run_error.hpp"
#include "route/conversions.hpp"
#include "text/numbers.hpp"

namespace korvanta {

namespace {

bool Take(std::string_view& rest, std::string_view expected) {
  if (!rest.starts_with(expected))
    return false;
  rest.remove_prefix(expected.size());
  return true;
}

// The coordinate's hemisphere and its angle in hundredths of an arc second.
std::optional<DmsAngle> ReadDms(std::string_view dms, char positive, char negative,
                                std::int64_t max_degrees) {
  if (dms.empty() || (dms.front() != positive && dms.front() != negative))
    return std::nullopt;
  std::string_view rest = dms.substr(1);
  const auto degrees = TakeDigits(rest, 3);
  if (!degrees || !Take(rest, kDegreeSign))
    return std::nullopt;
  const auto minutes = TakeDigits(rest, 2);
  if (!minutes || !Take(rest, "'"))
    return std::nullopt;
  const auto seconds = TakeDigits(rest, 2);
  if (!seconds)
    return std::nullopt;
  // Hundredths of a second: "42", "42.5" and "42.50" all read.
  std::int64_t fraction = 0;
  if (Take(rest, ".")) {
    std::string_view digits = rest;
    const auto read = TakeDigits(rest, 2);
    if (read)
      fraction = digits.size() - rest.size() == 1 ? *read * 10 : *read;
  }
  if (!Take(rest, "\"") || !rest.empty())
    return std::nullopt;
  if (*minutes >= 60 || *seconds >= 60)
    return std::nullopt;
  const std::int64_t value = ((*degrees * 60 + *minutes) * 60 + *seconds) * 100 + fraction;
  if (value > max_degrees * 360000)
    return std::nullopt;
  return DmsAngle{dms.front(), value};
}

// Hundredths of a second to millionths of a degree (x / 360000 * 10^6 =
// x * 25 / 9), rounded half away from zero, as text.
std::string MicrodegreeText(std::int64_t hundredths) {
  const bool negative = hundredths < 0;
  const std::int64_t magnitude = negative ? -hundredths : hundredths;
  const std::int64_t scaled = magnitude * 25;
  std::int64_t micro = scaled / 9;
  if ((scaled % 9) * 2 >= 9)
    ++micro;
  return fmt::format("{}{}.{:06}", negative && micro != 0 ? "-" : "", micro / 1000000,
                     micro % 1000000);
}

std::optional<std::string> ExactText(std::optional<DmsAngle> angle, char negative) {
  if (!angle)
    return std::nullopt;
  return MicrodegreeText(angle->hemisphere == negative ? -angle->hundredths : angle->hundredths);
}

DmsAngle Required(std::optional<DmsAngle> angle, const Waypoint& row, std::string_view dms) {
  if (!angle) {
    throw RunError(fmt::format("Waypoint {}: the coordinate {} does not read", row.id, dms));
  }
  return *angle;
}

}  // namespace

std::optional<DmsAngle> ReadLatDms(std::string_view dms) {
  return ReadDms(dms, 'N', 'S', 90);
}

std::optional<DmsAngle> ReadLonDms(std::string_view dms) {
  return ReadDms(dms, 'E', 'W', 180);
}

std::optional<std::string> LatDmsToExactDecimalText(std::string_view dms) {
  return ExactText(ReadLatDms(dms), 'S');
}

std::optional<std::string> LonDmsToExactDecimalText(std::string_view dms) {
  return ExactText(ReadLonDms(dms), 'W');
}

DmsPosition DmsPositionOf(const Waypoint& row) {
  return {Required(ReadLatDms(row.lat), row, row.lat), Required(ReadLonDms(row.lon), row, row.lon)};
}

ExactPosition ExactPositionOf(const Waypoint& row) {
  const DmsPosition position = DmsPositionOf(row);
  return {*ExactText(position.lat, 'S'), *ExactText(position.lon, 'W')};
}

}  // namespace korvanta
