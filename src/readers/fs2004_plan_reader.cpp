#include "readers/fs2004_plan_reader.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "route/position.hpp"
#include "text/cp1252.hpp"
#include "text/lines.hpp"
#include "text/numbers.hpp"
#include "text/text.hpp"

namespace korvanta {

namespace {

constexpr std::string_view kPlanSection = "flightplan";
constexpr std::string_view kWaypointKey = "waypoint.";
// A waypoint line's comma fields after the "=": region, identifier, blank,
// identifier, kind, latitude, longitude, altitude and the airway, which
// FS2004 leaves out when there is none.
constexpr std::size_t kFieldsWithoutAirway = 8;
constexpr std::size_t kFieldsWithAirway = 9;

std::string_view SectionName(std::string_view line) {
  line = Trim(line);
  if (line.size() < 2 || line.front() != '[' || line.back() != ']')
    return {};
  return Trim(line.substr(1, line.size() - 2));
}

// A runway as FS2004 names it ("16", "25L"); FS2004 also puts a parking
// place there ("PARKING 1"), which is no runway.
bool IsRunway(std::string_view text) {
  const auto number = TakeDigits(text, 2);
  return number && (text.empty() || text == "L" || text == "R" || text == "C");
}

std::vector<std::string_view> CommaFields(std::string_view value) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t comma = value.find(',', start);
    fields.push_back(value.substr(start, comma - start));
    if (comma == std::string_view::npos)
      return fields;
    start = comma + 1;
  }
}

// The point of a waypoint line's value; none when its fields do not read
// as one (a comma in a name shifts them).
std::optional<PlanPoint> ReadWaypoint(std::string_view value) {
  const std::vector<std::string_view> fields = CommaFields(value);
  if (fields.size() != kFieldsWithoutAirway && fields.size() != kFieldsWithAirway)
    return std::nullopt;
  PlanPoint point;
  point.id = std::string(Trim(fields[1]));
  point.kind = KindOfLetter(Trim(fields[4]));
  point.lat = ReadPlanAngle(fields[5], 'N', 'S');
  point.lon = ReadPlanAngle(fields[6], 'E', 'W');
  point.position_text = fmt::format("{}, {}", Trim(fields[5]), Trim(fields[6]));
  point.altitude = ReadFeet(fields[7]);
  if (fields.size() == kFieldsWithAirway)
    point.airway = AirwayFromVia(fields[8]);
  return point;
}

struct NumberedPoint {
  std::int64_t number = 0;
  int line = 0;
  PlanPoint point;
};

// What the "[flightplan]" section gives, or why it does not read.
struct PlanSection {
  bool found = false;
  std::vector<NumberedPoint> points;
  PlanHeaderValues values;
  std::optional<PlanReadError> error;
};

void ReadKey(std::string_view key, std::string_view value, int line, PlanSection& plan) {
  if (key.size() > kWaypointKey.size() &&
      EqualNoCase(key.substr(0, kWaypointKey.size()), kWaypointKey)) {
    const auto number = ReadInteger(key.substr(kWaypointKey.size()));
    auto point = ReadWaypoint(value);
    if (!number || *number < 0 || !point) {
      plan.error = NotReadable("a waypoint line does not read", line);
      return;
    }
    plan.points.push_back({*number, line, std::move(*point)});
  } else if (EqualNoCase(key, "cruising_altitude")) {
    plan.values.cruise_altitude = ReadFeet(value);
  } else if (EqualNoCase(key, "departure_position") && IsRunway(Trim(value))) {
    plan.values.runway = std::string(Trim(value));
  } else if (EqualNoCase(key, "departure_name")) {
    plan.values.departure_name = std::string(value);
  } else if (EqualNoCase(key, "destination_name")) {
    plan.values.destination_name = std::string(value);
  }
}

PlanSection ReadPlanSection(std::string_view text) {
  PlanSection plan;
  bool in_plan = false;
  int number = 0;
  ForEachLine(text, [&](std::string_view line) {
    ++number;
    if (plan.error)
      return;
    if (line.starts_with('[')) {
      in_plan = EqualNoCase(SectionName(line), kPlanSection);
      plan.found = plan.found || in_plan;
      return;
    }
    const std::size_t equals = line.find('=');
    if (!in_plan || equals == std::string_view::npos)
      return;
    ReadKey(Trim(line.substr(0, equals)), line.substr(equals + 1), number, plan);
    if (plan.points.size() > kPlanPointsLimit)
      plan.error = PlanReadError{std::string(kTooManyPlanPoints)};
  });
  return plan;
}

}  // namespace

bool StartsLikeFs2004Plan(std::string_view text) {
  return EqualNoCase(SectionName(text.substr(0, text.find_first_of("\r\n"))), kPlanSection);
}

PlanReadResult ReadFs2004Plan(std::string_view bytes, const AirportDatabase& airports) {
  PlanSection plan = ReadPlanSection(InputToUtf8(bytes));
  if (plan.error)
    return *plan.error;
  if (!plan.found)
    return NotReadable("an FS2004 plan has a \"[flightplan]\" section");
  // FS2004 numbers the waypoints from the departure on.
  std::stable_sort(
      plan.points.begin(), plan.points.end(),
      [](const NumberedPoint& a, const NumberedPoint& b) { return a.number < b.number; });
  std::vector<PlanPoint> points;
  points.reserve(plan.points.size());
  for (std::size_t i = 0; i < plan.points.size(); ++i) {
    if (i > 0 && plan.points[i].number == plan.points[i - 1].number) {
      return NotReadable(fmt::format("a second waypoint.{}", plan.points[i].number),
                         std::max(plan.points[i].line, plan.points[i - 1].line));
    }
    points.push_back(std::move(plan.points[i].point));
  }
  return MakePlanRoute(std::move(points), plan.values, airports);
}

}  // namespace korvanta
