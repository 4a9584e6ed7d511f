#include "writers/fsnavigator.hpp"

#include <fmt/format.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <string_view>

#include "errors/run_error.hpp"
#include "writers/coordinate_text.hpp"
#include "writers/six_character_id.hpp"

namespace korvanta {

namespace {

static_assert(std::numeric_limits<float>::is_iec559, "coordinates are IEEE single precision");

constexpr std::string_view kSignature = "FPi";
// The plan's title as FSNavigator shows it: file content, not the program's version.
constexpr std::string_view kTitle = "KorVanta ver 2.8 Flightplan for FS-Navigator";
constexpr std::string_view kAircraft = "Boeing 737";

constexpr std::size_t kLengthAt = 0;
constexpr std::size_t kSignatureAt = 4;
constexpr std::size_t kTitleAt = 16;
constexpr std::size_t kAircraftOffsetAt = 272;
constexpr std::size_t kOneAt = 276;
constexpr std::size_t kPointsOffsetAt = 280;
constexpr std::size_t kPointCountAt = 284;
constexpr std::size_t kTrailerOffsetAt = 296;
constexpr std::size_t kPointsEndAt = 304;
constexpr std::size_t kAircraftAt = 320;
constexpr std::size_t kPointsAt = 388;
constexpr std::size_t kPointSize = 10;

// The trailer sits 52 bytes further on for every en-route waypoint.
constexpr std::size_t kTrailerBase = 504;
constexpr std::size_t kTrailerStep = 52;
constexpr std::size_t kTrailerSize = 12;
constexpr std::uint16_t kTrailerMark = 380;

constexpr std::size_t kMaxOffset = std::numeric_limits<std::uint16_t>::max();

// Degrees as the plan holds them, south and west negative: the sum is
// made in double and stored as a float.
float SinglePrecisionDegrees(std::int32_t hundredths) {
  const AngleParts parts = PartsOf(hundredths);
  const auto value =
      static_cast<float>(static_cast<double>(parts.degrees) + MinutesWithSeconds(parts) / 60.0);
  return hundredths < 0 ? -value : value;
}

// The plan image; every byte not set stays zero. Integers and floats are
// written byte by byte, low byte first, whatever the machine's byte order.
class Image {
 public:
  explicit Image(std::size_t length) : bytes_(length, '\0') {}

  void U16(std::size_t at, std::uint16_t value) {
    bytes_[at] = static_cast<char>(value & 0xFFu);
    bytes_[at + 1] = static_cast<char>(value >> 8);
  }
  void F32(std::size_t at, float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i)
      bytes_[at + i] = static_cast<char>((bits >> (8 * i)) & 0xFFu);
  }
  void Text(std::size_t at, std::string_view text) { bytes_.replace(at, text.size(), text); }
  void Point(std::size_t at, std::uint16_t kind, const Waypoint& row) {
    U16(at, kind);
    F32(at + 2, SinglePrecisionDegrees(row.position.latitude));
    F32(at + 6, SinglePrecisionDegrees(row.position.longitude));
  }

  std::string Take() && { return std::move(bytes_); }

 private:
  std::string bytes_;
};

std::uint16_t KindOf(const Waypoint& row, const RouteHeader& header) {
  if (row.id == header.destination_icao)
    return kFsNavAirport;
  if (row.kind == WaypointKind::kVor)
    return kFsNavVor;
  if (row.kind == WaypointKind::kNdb)
    return kFsNavNdb;
  return kFsNavFix;
}

std::uint16_t Offset(std::size_t value) {
  return static_cast<std::uint16_t>(value);
}

}  // namespace

std::string WriteFsNavigatorPlan(const RouteHeader& route_header,
                                 const WaypointTable& route_waypoints) {
  // No identifier is written, but the destination is told by its identifier
  // as the other six-character targets tell it.
  const SixCharacterRoute route(route_header, route_waypoints);
  const RouteHeader& header = route.Header();
  const WaypointTable& waypoints = route.Waypoints();
  const std::size_t count = waypoints.Count();
  std::size_t en_route = 0;
  for (std::size_t i = 1; i < count; ++i) {
    if (waypoints[i].id != header.destination_icao)
      ++en_route;
  }
  if (en_route > kFsNavMaxEnRoute) {
    throw RunError(
        fmt::format("The route has {} en-route waypoints; an FSNavigator plan holds at most {}",
                    en_route, kFsNavMaxEnRoute));
  }
  const std::size_t trailer = kTrailerBase + kTrailerStep * en_route;
  const std::size_t points_end = kPointsAt + kPointSize * count;
  if (points_end > trailer) {
    // Only a route that names its destination airport again and again gets
    // here: its points would run into the trailer.
    throw RunError(
        fmt::format("The route lists {} points for {} en-route waypoints; they do not "
                    "fit an FSNavigator plan",
                    count, en_route));
  }
  const std::size_t length = trailer + kTrailerSize;
  static_assert(kTrailerBase + kTrailerStep * kFsNavMaxEnRoute + kTrailerSize <= kMaxOffset);

  Image image(length);
  image.U16(kLengthAt, Offset(length));
  image.Text(kSignatureAt, kSignature);
  image.Text(kTitleAt, kTitle);
  image.U16(kAircraftOffsetAt, Offset(kAircraftAt));
  image.U16(kOneAt, 1);
  image.U16(kPointsOffsetAt, Offset(kPointsAt));
  image.U16(kPointCountAt, Offset(count));
  image.U16(kTrailerOffsetAt, Offset(trailer));
  image.U16(kPointsEndAt, Offset(points_end));
  image.Text(kAircraftAt, kAircraft);

  for (std::size_t i = 0; i < count; ++i) {
    // The first point is the departure airport, whatever its kind in Waypoints.
    const std::uint16_t kind = i == 0 ? kFsNavAirport : KindOf(waypoints[i], header);
    image.Point(kPointsAt + kPointSize * i, kind, waypoints[i]);
  }

  const auto cruise =
      static_cast<std::uint16_t>(static_cast<std::uint32_t>(header.cruise_altitude));
  image.U16(trailer, kTrailerMark);
  image.U16(trailer + 4, cruise);
  image.U16(trailer + 8, cruise);
  return std::move(image).Take();
}

}  // namespace korvanta
