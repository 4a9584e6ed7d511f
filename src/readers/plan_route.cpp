#include "readers/plan_route.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "navdata/navigation_source.hpp"
#include "route/identifiers.hpp"
#include "route/position.hpp"
#include "text/numbers.hpp"
#include "text/text.hpp"

namespace korvanta {

namespace {

// The degree sign as the document's UTF-8 holds it; a plan saved in a
// single-byte encoding has the byte 0xB0.
constexpr std::string_view kPlanDegreeSign = "\xC2\xB0";
constexpr std::string_view kSingleByteDegreeSign = "\xB0";
// Planners that keep to ASCII write "*" in its place.
constexpr std::string_view kAsciiDegreeSign = "*";
constexpr std::int32_t kDefaultCruiseAltitude = 30000;

// Identifiers, names and airways: a control character would break the line
// formats the route is written to, and a blank at either end would not read
// back from them.
std::string Clean(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F')
      c = ' ';
  }
  return std::string(Trim(out));
}

std::optional<std::int32_t> AsFeet(std::optional<std::int64_t> feet) {
  if (!feet || *feet < std::numeric_limits<std::int32_t>::min() ||
      *feet > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return static_cast<std::int32_t>(*feet);
}

long double Degrees(std::int64_t hundredths) {
  return static_cast<long double>(hundredths) / static_cast<long double>(kHundredthsPerDegree);
}

// The initial great-circle course from one point to the next in whole
// degrees 0-359, rounded half up.
std::string TrackText(const PlanPoint& from, const PlanPoint& to) {
  const long double course =
      InitialCourse(Degrees(*from.lat), Degrees(*from.lon), Degrees(*to.lat), Degrees(*to.lon));
  const long long whole = static_cast<long long>(std::floor(course + 0.5L)) % 360;
  return fmt::format("{}", whole < 0 ? whole + 360 : whole);
}

// The point as a message names it: its name as the plan gives it, else its
// number.
std::string MessageName(const PlanPoint& point, std::size_t number) {
  std::string id = Clean(point.id);
  return id.empty() ? NumberedIdentifier(number) : id;
}

std::optional<PlanReadError> PositionFault(const PlanPoint& point, std::size_t number) {
  const std::string id = MessageName(point, number);
  // A point without any position text was placed or refused before.
  if (!point.lat || !point.lon) {
    return PlanReadError{
        fmt::format("Waypoint {}: the position {} does not read", id, point.position_text)};
  }
  if (*point.lat < -kLatitudeLimit || *point.lat > kLatitudeLimit ||
      *point.lon < -kLongitudeLimit || *point.lon > kLongitudeLimit) {
    return PlanReadError{
        fmt::format("Waypoint {}: the position {} is out of range", id, point.position_text)};
  }
  return std::nullopt;
}

// A plan's names are free text ("Hwy 11", "Horka,NOL(GM)"): the row's
// identifier keeps only their identifier characters, so that no target's
// blanks or commas cut it. A point the plan places without a name, or names
// by its position (before or after cleaning: "N46-W122"), is named from the
// position, so that the files written read back to the same names; one left
// without any characters by its number in the route. The seven-character
// name of whole degrees ("54N020W") is kept as the route finder's text
// keeps it: Korvanta's own files of such a route read back to it.
void NameFromPlan(const PlanPoint& point, std::size_t number, Waypoint& row) {
  row.id = IdentifierCharacters(point.id);
  const bool names_position = NamesPosition(point.id, row.position) ||
                              (row.id != point.id && NamesPosition(row.id, row.position));
  if (point.named_from_position || (names_position && !IsWholeDegreePositionName(row.id))) {
    row.id = LatitudeLongitudeName(row.position);
    row.named_from_position = true;
  } else if (row.id.empty()) {
    row.id = NumberedIdentifier(number);
  }
}

// A point the plan lists by name only (MSFS 2024 leaves every point but the
// airports to the simulator's own data): no position text at all. A text
// that does not read is the plan's fault, not a gap the data may fill.
bool Unplaced(const PlanPoint& point) {
  return (!point.lat || !point.lon) && Trim(point.position_text).empty();
}

// Where the nearest point of a name is measured from: the point before it,
// else (for the first) the first point that the plan places.
std::optional<Position> MeasuredFrom(const std::vector<PlanPoint>& points, std::size_t index) {
  for (std::size_t at = index == 0 ? 1 : index - 1; at < points.size(); ++at) {
    if (points[at].lat && points[at].lon)
      return Position{static_cast<std::int32_t>(*points[at].lat),
                      static_cast<std::int32_t>(*points[at].lon)};
    if (index != 0)
      break;
  }
  return std::nullopt;
}

// Of the data's points named `id` whose region `fits`, the nearest to
// `near`; with nothing to measure from, only a single such point.
template <typename RegionTest>
std::optional<PointIndex> NearestFitting(const NavigationData& data, std::string_view id,
                                         std::optional<Position> near, RegionTest fits) {
  std::optional<PointIndex> nearest;
  double best = 0;
  std::size_t fitting = 0;
  for (const PointIndex index : data.Named(id)) {
    const NavigationPoint& candidate = data.Point(index);
    if (!fits(candidate.Region()))
      continue;
    ++fitting;
    const double distance = near ? DistanceNm(*near, candidate.position) : 0;
    if (!nearest || distance < best) {
      best = distance;
      nearest = index;
    }
  }
  if (!near && fitting > 1)
    return std::nullopt;
  return nearest;
}

// The data's point that a plan point names: of its identifier and region
// when the plan names a region, else the nearest of its identifier. The FMC
// data folder's files carry no regions: a point listed without one may be
// the one the plan means, when no point of that region is there.
std::optional<PointIndex> NamedPoint(const NavigationData& data, const PlanPoint& point,
                                     std::optional<Position> near) {
  const std::string id = IdentifierCharacters(point.id);
  const std::string_view region = Trim(point.region);
  if (region.empty())
    return NearestFitting(data, id, near, [](std::string_view) { return true; });
  if (auto in_region = NearestFitting(
          data, id, near, [region](std::string_view listed) { return listed == region; }))
    return in_region;
  return NearestFitting(data, id, near, [](std::string_view listed) { return listed.empty(); });
}

// Places a point the plan gives no position from the navigation data, with
// the data's kind and frequency; the error when there is no data or it does
// not hold the point.
std::optional<PlanReadError> PlaceFromNavigation(PlanPoint& point, std::size_t number,
                                                 std::optional<Position> near,
                                                 const AirportDatabase& airports) {
  // A name that is itself a position ("4630N12236W") places the point with
  // no data needed.
  if (const std::optional<Position> named = PositionInName(point.id)) {
    point.lat = named->latitude;
    point.lon = named->longitude;
    point.position_text =
        DmsLatitudeText(named->latitude) + " " + DmsLongitudeText(named->longitude);
    point.named_from_position = true;
    return std::nullopt;
  }
  const std::string name = MessageName(point, number);
  const NavigationData* data = airports.navigation ? airports.navigation->Data() : nullptr;
  if (data == nullptr) {
    std::string message = fmt::format(
        "The plan gives no position for {}, and there is no navigation data to place it", name);
    if (airports.navigation && !airports.navigation->Problem().empty())
      message += fmt::format(" ({})", airports.navigation->Problem());
    return PlanReadError{std::move(message)};
  }
  const std::optional<PointIndex> found = NamedPoint(*data, point, near);
  if (!found) {
    const std::string_view region = Trim(point.region);
    return PlanReadError{fmt::format(
        "The plan gives no position for {}{}, and the navigation data{} does not hold it either",
        name, region.empty() ? std::string() : fmt::format(" (region {})", region),
        data->cycle.empty() ? std::string() : fmt::format(" (cycle {})", data->cycle))};
  }
  const NavigationPoint& placed = data->Point(*found);
  point.lat = placed.position.latitude;
  point.lon = placed.position.longitude;
  point.position_text =
      DmsLatitudeText(placed.position.latitude) + " " + DmsLongitudeText(placed.position.longitude);
  point.kind = placed.kind;
  point.frequency = placed.FrequencyText();
  return std::nullopt;
}

void SkipBlanks(std::string_view& rest) {
  while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t'))
    rest.remove_prefix(1);
}

bool Take(std::string_view& rest, std::string_view token) {
  if (!rest.starts_with(token))
    return false;
  rest.remove_prefix(token.size());
  return true;
}

// The minutes and seconds after the degree sign, in hundredths of an
// arc-second: whole minutes with seconds of any number of decimals ("2'
// 0.00\"", "02'00.0000\""), whole minutes alone ("27'"), or decimal minutes
// alone ("27.48'"), blanks or none between the parts.
std::optional<std::int64_t> ReadMinutesAndSeconds(std::string_view rest) {
  const std::size_t minute_sign = rest.find('\'');
  if (minute_sign == std::string_view::npos)
    return std::nullopt;
  const std::string_view minutes_text = Trim(rest.substr(0, minute_sign));
  const std::string_view seconds_part = Trim(rest.substr(minute_sign + 1));
  std::string_view after_whole = minutes_text;
  const auto whole_minutes = TakeDigits(after_whole, 2);
  if (!whole_minutes || *whole_minutes >= 60)
    return std::nullopt;
  if (!after_whole.empty()) {
    if (after_whole.front() != '.' || !seconds_part.empty())
      return std::nullopt;
    return RoundedDecimal(minutes_text, kHundredthsPerMinute);
  }
  const std::int64_t minutes = *whole_minutes * kHundredthsPerMinute;
  if (seconds_part.empty())
    return minutes;
  if (!seconds_part.ends_with('"'))
    return std::nullopt;
  const std::string_view seconds_text = Trim(seconds_part.substr(0, seconds_part.size() - 1));
  if (seconds_text.empty() || seconds_text.front() == '+' || seconds_text.front() == '-')
    return std::nullopt;
  const auto seconds = RoundedDecimal(seconds_text, kHundredthsPerSecond);
  if (!seconds || *seconds > kHundredthsPerMinute)
    return std::nullopt;
  return minutes + *seconds;
}

}  // namespace

PlanReadError NotReadable(std::string_view reason, int line) {
  if (line <= 0)
    return {fmt::format("Not a readable flight plan: {}", reason)};
  return {fmt::format("Not a readable flight plan: {} (line {})", reason, line)};
}

std::optional<std::int64_t> ReadDecimalAngle(std::string_view text) {
  return RoundedDecimal(text, kHundredthsPerDegree);
}

std::optional<std::int64_t> ReadPlanAngle(std::string_view text, char positive, char negative) {
  std::string_view rest = Trim(text);
  if (rest.empty())
    return std::nullopt;
  const char hemisphere = AsciiUpper(rest.front());
  if (hemisphere != positive && hemisphere != negative)
    return ReadDecimalAngle(rest);
  rest.remove_prefix(1);
  SkipBlanks(rest);
  const auto degrees = TakeDigits(rest, 3);
  SkipBlanks(rest);
  if (!degrees || !(Take(rest, kPlanDegreeSign) || Take(rest, kSingleByteDegreeSign) ||
                    Take(rest, kAsciiDegreeSign)))
    return std::nullopt;
  const auto minutes = ReadMinutesAndSeconds(rest);
  if (!minutes)
    return std::nullopt;
  const std::int64_t magnitude = *degrees * kHundredthsPerDegree + *minutes;
  return hemisphere == negative ? -magnitude : magnitude;
}

std::optional<std::int32_t> ReadFeet(std::string_view text) {
  return AsFeet(RoundedDecimal(text, 1));
}

std::optional<std::int32_t> ReadMetresAsFeet(std::string_view text) {
  // 1 ft = 0.3048 m exactly.
  return AsFeet(RoundedDecimal(text, 10000, 3048));
}

std::string AirwayFromVia(std::string_view via) {
  via = Trim(via);
  constexpr std::array<std::string_view, 6> kNoAirway = {"DCT",  "DRCT", "ADEP",
                                                         "ADES", "DEP",  "DES"};
  for (const std::string_view marker : kNoAirway) {
    if (EqualNoCase(via, marker))
      return {};
  }
  return std::string(via);
}

void TakeAirwaysFromNextPoint(std::vector<PlanPoint>& points) {
  for (std::size_t k = 0; k < points.size(); ++k)
    points[k].airway = k + 1 < points.size() ? points[k + 1].airway : std::string();
}

PlanReadResult MakePlanRoute(std::vector<PlanPoint> points, const PlanHeaderValues& values,
                             const AirportDatabase& airports) {
  if (points.size() < 2)
    return PlanReadError{std::string(kFewerThanTwoPoints)};
  if (points.size() > kPlanPointsLimit)
    return PlanReadError{std::string(kTooManyPlanPoints)};
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (Unplaced(points[i])) {
      if (auto fault = PlaceFromNavigation(points[i], i + 1, MeasuredFrom(points, i), airports))
        return *fault;
    }
    if (auto fault = PositionFault(points[i], i + 1))
      return *fault;
  }

  PlanRoute route;
  const std::size_t last = points.size() - 1;
  std::optional<std::int32_t> highest_en_route;
  for (std::size_t i = 0; i <= last; ++i) {
    const PlanPoint& point = points[i];
    const bool airport = i == 0 || i == last;
    Waypoint row;
    row.position = {static_cast<std::int32_t>(*point.lat), static_cast<std::int32_t>(*point.lon)};
    NameFromPlan(point, i + 1, row);
    // The grid and the parse command show the position in the route
    // finder's form.
    row.lat = DmsLatitudeText(row.position.latitude);
    row.lon = DmsLongitudeText(row.position.longitude);
    if (airport) {
      row.alt = point.altitude.value_or(airports.Elevation(row.id));
    } else if (point.altitude) {
      highest_en_route = std::max(highest_en_route.value_or(*point.altitude), *point.altitude);
    }
    // An airway is named with an identifier's characters; none is direct.
    row.route = i < last ? IdentifierCharacters(point.airway) : std::string();
    row.kind = airport ? WaypointKind::kAirport : point.kind;
    row.freq = airport || point.frequency.empty() ? "0" : point.frequency;
    row.track = i == 0 ? "0" : TrackText(points[i - 1], point);
    route.waypoints.Append(std::move(row));
  }

  // The header from the airports' rows, as the text parser fills it.
  RouteHeader& header = route.header;
  const Waypoint& departure = route.waypoints[0];
  const Waypoint& destination = route.waypoints[last];
  // An airport whose plan gives no name takes the airport list's, else its
  // identifier.
  const auto name_of = [&airports](std::string_view plan_name, const Waypoint& airport) {
    std::string name = Clean(plan_name);
    if (name.empty())
      name = Clean(airports.Name(airport.id));
    return name.empty() ? airport.id : name;
  };
  header.departure_icao = departure.id;
  header.destination_icao = destination.id;
  header.departure_name = name_of(values.departure_name, departure);
  header.destination_name = name_of(values.destination_name, destination);
  header.departure_position = departure.position;
  header.destination_position = destination.position;
  header.departure_elevation = departure.alt;
  header.destination_elevation = destination.alt;
  header.cruise_altitude = values.cruise_altitude.value_or(
      highest_en_route && *highest_en_route > 0 ? *highest_en_route : kDefaultCruiseAltitude);
  route.runway = Clean(values.runway);
  return route;
}

}  // namespace korvanta
