#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "route/airports.hpp"
#include "route/tables.hpp"
#include "text/numbers.hpp"

namespace korvanta {

// What every plan reader shares: the route it gives, its messages, the exact
// reading of the numbers plan files hold, and the rules that turn the points
// of any plan into the same waypoint table as the route finder's text gives.

// A route read from a plan file: the header and the waypoints exactly as the
// text parser gives them in its text reading, and the departure runway the
// plan names ("16L"; empty when it names none).
struct PlanRoute {
  RouteHeader header;
  WaypointTable waypoints;
  std::string runway;
  // What the reader tells the user about the plan without refusing it (a
  // point count that disagrees with the points listed, routes left unread):
  // one line each, shown on standard error and the window's status line.
  std::vector<std::string> notes;
};

// Why a plan gives no route: the message shown to the user (UTF-8).
struct PlanReadError {
  std::string message;

  bool operator==(const PlanReadError&) const = default;
};

using PlanReadResult = std::variant<PlanRoute, PlanReadError>;

inline constexpr std::string_view kFewerThanTwoPoints = "The plan holds fewer than two points";
// No real route has more points than a route text has details lines.
inline constexpr std::size_t kPlanPointsLimit = 10000;
inline constexpr std::string_view kTooManyPlanPoints =
    "The plan holds more than 10000 points: no route is that long";

// "Not a readable flight plan: <reason> (line N)"; without a line when `line` is 0.
PlanReadError NotReadable(std::string_view reason, int line = 0);

// Decimal degrees, south and west negative ("-122.309306"), as a signed angle
// in hundredths of an arc-second (an angle that rounds to zero has no side).
// The range is not checked here.
std::optional<std::int64_t> ReadDecimalAngle(std::string_view text);

// One angle as planners write it, in hundredths of an arc-second: a
// hemisphere letter (`positive` or `negative`, either case), degrees, the
// degree sign ("°", its single byte, or "*"), then whole minutes with or
// without seconds, or decimal minutes ("N50° 2' 0.00\"", "N 50 ° 2 ' 0 \"",
// "N47* 27.48'", the FS2004 plan's "W000* 27.60'"); or signed decimal
// degrees ("-130.444678"). Nothing when it is none of these or its minutes
// or seconds reach 60. The range is not checked here.
std::optional<std::int64_t> ReadPlanAngle(std::string_view text, char positive, char negative);

// Feet as a plan writes them ("364", "+000364.00", "11000.000000"), and
// metres as GPX writes them converted to feet; both rounded half away from zero.
std::optional<std::int32_t> ReadFeet(std::string_view text);
std::optional<std::int32_t> ReadMetresAsFeet(std::string_view text);

// The airway a plan names with a point's "via" or airway field; empty for a
// direct leg or an airport's marker ("DCT", "DRCT", "ADEP", "ADES", "DEP", "DES").
std::string AirwayFromVia(std::string_view via);

// One point as a plan gives it, its texts already in the core's encoding.
struct PlanPoint {
  std::string id;
  WaypointKind kind = WaypointKind::kIntersection;
  // Hundredths of an arc-second, north and east positive; nothing when the
  // plan's text does not read.
  std::optional<std::int64_t> lat;
  std::optional<std::int64_t> lon;
  std::string position_text;             // the plan's own text of the position, for messages
  std::string region;                    // the ICAO region the plan gives ("LS"); empty: none
  std::optional<std::int32_t> altitude;  // feet
  std::string airway;                    // the airway leaving the point
  // A navaid's frequency as the route finder writes it ("114.30", "385");
  // empty or "0" for none.
  std::string frequency;
  // A point the plan places without naming it (X-Plane's latitude/longitude
  // points, a GPX point without a name): the route names it from its position.
  bool named_from_position = false;
};

// For plans that name the airway by which a point is reached: every point
// takes the airway of the point after it, the last none.
void TakeAirwaysFromNextPoint(std::vector<PlanPoint>& points);

// What a plan says about the route as a whole, in the core's encoding.
struct PlanHeaderValues {
  std::string departure_name;  // empty: the plan holds none
  std::string destination_name;
  std::optional<std::int32_t> cruise_altitude;  // feet
  std::string runway;
};

// The route of the points in order, the first the departure and the last the
// destination airport: identifiers and airways of upper-case letters and
// digits only (see IdentifierCharacters), a point placed without a name or
// named by its position named from the position, one left without
// characters "WP" and its number; names with control characters made blanks
// and trimmed; positions checked and written as the route finder writes them;
// the track from the previous point; the airports' elevations from the plan,
// else the database, else 0; their names from the plan, else the database,
// else their identifiers; the cruise altitude from the plan, else the highest
// en-route altitude, else 30000. A point the plan gives no position at all
// takes one from the navigation data (`airports.navigation`), with the
// data's kind and frequency: of its identifier and region when the plan
// names a region, else the nearest of its identifier to the point before it
// (the first, to the first point the plan places). The error names the first
// point whose position does not read or lies out of range, or that neither
// the plan nor the data places.
PlanReadResult MakePlanRoute(std::vector<PlanPoint> points, const PlanHeaderValues& values,
                             const AirportDatabase& airports);

}  // namespace korvanta
