#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "route/tables.hpp"

namespace korvanta {

// Decimal degrees of a route-text coordinate (N51°28'42.00", W000°27'36.00")
// with six decimals, south and west negative, never an exponent. Computed in
// integers from the degrees, minutes and hundredths of seconds and rounded
// half away from zero, so every file shows the same last digit on every
// platform. Nothing when the text does not read as a coordinate of its kind
// (hemisphere letter, degree sign, minutes and seconds below 60, at most 90
// or 180 degrees).
std::optional<std::string> LatDmsToExactDecimalText(std::string_view dms);
std::optional<std::string> LonDmsToExactDecimalText(std::string_view dms);

// A route-text coordinate read exactly: its hemisphere letter as written
// (kept for a zero angle too) and its angle in hundredths of an arc second.
struct DmsAngle {
  char hemisphere = 0;          // 'N', 'S', 'E' or 'W'
  std::int64_t hundredths = 0;  // never negative: the hemisphere holds the sign
};

// The same reading as the decimal texts above; nothing when the text does not
// read as a coordinate of its kind.
std::optional<DmsAngle> ReadLatDms(std::string_view dms);
std::optional<DmsAngle> ReadLonDms(std::string_view dms);

// A waypoint's latitude and longitude read exactly.
struct DmsPosition {
  DmsAngle lat;
  DmsAngle lon;
};

// The position of a row parsed in text mode; a coordinate that does not read
// is the run's error report, naming the waypoint.
DmsPosition DmsPositionOf(const Waypoint& row);

// A waypoint's latitude and longitude in decimal form.
struct ExactPosition {
  std::string lat;
  std::string lon;
};

// The position of a row parsed in text mode; a coordinate that does not read
// is the run's error report, naming the waypoint.
ExactPosition ExactPositionOf(const Waypoint& row);

}  // namespace korvanta
