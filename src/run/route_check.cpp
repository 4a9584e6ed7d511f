#include "run/route_check.hpp"

#include <fmt/format.h>

#include <string_view>

#include "route/conversions.hpp"
#include "text/numbers.hpp"

namespace korvanta {

namespace {

enum class CoordinateState { kGood, kDoesNotRead, kOutOfRange };

struct Axis {
  std::string_view name;  // "latitude"
  char positive;          // the hemisphere letters
  char negative;
  double limit;  // the largest whole value in degrees
  std::string (*fixed_reading)(std::string_view);
};

constexpr Axis kLatitude{"latitude", 'N', 'S', 90.0, LatDmsToDegMinText};
constexpr Axis kLongitude{"longitude", 'E', 'W', 180.0, LonDmsToDegMinText};

// The text up to `separator`, taken off `rest`; none without the separator.
std::optional<std::string_view> Piece(std::string_view& rest, std::string_view separator) {
  const std::size_t at = rest.find(separator);
  if (at == std::string_view::npos)
    return std::nullopt;
  const std::string_view piece = rest.substr(0, at);
  rest.remove_prefix(at + separator.size());
  return piece;
}

// The writers read a coordinate two ways, at fixed places and between its
// separators; it reads only when both give a number.
CoordinateState Check(std::string_view text, const Axis& axis) {
  if (text.empty() || axis.fixed_reading(text) == kErr || DmsToDecimalText(text) == kErr)
    return CoordinateState::kDoesNotRead;
  std::string_view rest = text.substr(1);
  const auto degrees_text = Piece(rest, kDegreeSign);
  const auto minutes_text = Piece(rest, "'");
  const auto seconds_text = Piece(rest, "\"");
  if (!degrees_text || !minutes_text || !seconds_text)
    return CoordinateState::kDoesNotRead;
  const auto degrees = ReadDecimal(*degrees_text);
  const auto minutes = ReadDecimal(*minutes_text);
  const auto seconds = ReadDecimal(*seconds_text);
  if (!degrees || !minutes || !seconds)
    return CoordinateState::kDoesNotRead;
  const char hemisphere = text.front();
  const bool in_range = (hemisphere == axis.positive || hemisphere == axis.negative) &&
                        *degrees >= 0 && *minutes >= 0 && *minutes < 60 && *seconds >= 0 &&
                        *seconds < 60 &&
                        *degrees + *minutes / 60.0 + *seconds / 3600.0 <= axis.limit;
  return in_range ? CoordinateState::kGood : CoordinateState::kOutOfRange;
}

std::optional<std::string> Fault(const Waypoint& waypoint, std::string_view text,
                                 const Axis& axis) {
  switch (Check(text, axis)) {
    case CoordinateState::kGood:
      return std::nullopt;
    case CoordinateState::kDoesNotRead:
      return fmt::format("Waypoint {}: {} \"{}\" does not read", waypoint.id, axis.name, text);
    case CoordinateState::kOutOfRange:
      return fmt::format("Waypoint {}: {} \"{}\" is out of range", waypoint.id, axis.name, text);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> RouteFault(const WaypointTable& waypoints) {
  for (const Waypoint& waypoint : waypoints) {
    if (auto fault = Fault(waypoint, waypoint.lat, kLatitude))
      return fault;
    if (auto fault = Fault(waypoint, waypoint.lon, kLongitude))
      return fault;
  }
  return std::nullopt;
}

}  // namespace korvanta
