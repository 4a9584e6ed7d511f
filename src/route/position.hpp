#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace korvanta {

// Angles are counted in hundredths of an arc-second: exact for every
// coordinate the route finder writes and for every plan value at that
// precision.
inline constexpr std::int32_t kHundredthsPerSecond = 100;
inline constexpr std::int32_t kHundredthsPerMinute = 60 * kHundredthsPerSecond;
inline constexpr std::int32_t kHundredthsPerDegree = 60 * kHundredthsPerMinute;
inline constexpr std::int32_t kLatitudeLimit = 90 * kHundredthsPerDegree;
inline constexpr std::int32_t kLongitudeLimit = 180 * kHundredthsPerDegree;

// A point's place: north and east positive. A zero angle has no hemisphere.
struct Position {
  std::int32_t latitude = 0;
  std::int32_t longitude = 0;

  bool operator==(const Position&) const = default;
};

// Why a coordinate text gives no angle: it is not of the coordinate's form,
// or it is of the form but names no place (a wrong hemisphere letter,
// 60 minutes or seconds, beyond 90 or 180 degrees).
enum class CoordinateFault : std::uint8_t { kNone, kDoesNotRead, kOutOfRange };

struct CoordinateReading {
  std::int32_t hundredths = 0;  // signed; 0 unless the fault is kNone
  CoordinateFault fault = CoordinateFault::kNone;

  bool Read() const { return fault == CoordinateFault::kNone; }
};

// The details list's coordinates: N51°28'42.00" and W000°27'36.00". A
// hemisphere letter, two (latitude) or three (longitude) digits of degrees,
// the degree sign, two digits of minutes, "'", two digits of seconds with
// an optional "." and one or two digits, and '"'.
CoordinateReading ReadDmsLatitude(std::string_view text);
CoordinateReading ReadDmsLongitude(std::string_view text);

// The details list's own form of an angle: N51°28'42.00", W000°27'36.00".
std::string DmsLatitudeText(std::int32_t hundredths);
std::string DmsLongitudeText(std::int32_t hundredths);

// The initial great-circle course from one point to another, in degrees
// (north and east positive), due north as 360.
long double InitialCourse(long double lat1, long double lon1, long double lat2, long double lon2);

}  // namespace korvanta
