// The pure writers over routes parsed from arbitrary text.
//
// Input: one byte of options (Super 80 names), the runway text (its first
// line) and the route text, cut at NULs. The route is parsed in text mode for every writer but
// PMDG and in decimal mode for PMDG. Then: every text format ends every line
// with CR LF (the CIVA card's last line ";" has none); the FSNavigator plan is
// 516 bytes plus 52 per en-route waypoint, its length field says so, and a
// refusal comes only for a route the format cannot hold; the CIVA cards are
// named by the airports and numbered from 01, nine waypoints to a card, in
// route order; the Tu-154 plan numbers every waypoint it finds.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <fmt/format.h>

#include "errors/run_error.hpp"
#include "fuzz_support.hpp"
#include "readers/route_text_parser.hpp"
#include "route/airports.hpp"
#include "route/tables.hpp"
#include "text/cp1252.hpp"
#include "writers/civa.hpp"
#include "writers/fs2004.hpp"
#include "writers/fsnavigator.hpp"
#include "writers/fsx.hpp"
#include "writers/ifly.hpp"
#include "writers/kml.hpp"
#include "writers/leveld.hpp"
#include "writers/maddog.hpp"
#include "writers/pmdg.hpp"
#include "writers/six_character_id.hpp"
#include "writers/tu154.hpp"
#include "writers/xplane.hpp"

namespace {

using korvanta::RouteHeader;
using korvanta::WaypointTable;
using korvanta::fuzz::Require;

void RequireCrLfText(std::string_view text, std::string_view format) {
  if (!korvanta::fuzz::OnlyCrLfLineEnds(text) || !korvanta::fuzz::EndsWithCrLf(text))
    Require(false, fmt::format("{}: a line does not end with CR LF", format));
}

bool Parse(std::string_view text, korvanta::ParseOptions options, WaypointTable& waypoints,
           RouteHeader& header) {
  static const korvanta::AirportDatabase kNoAirports;
  // Decoded as every input is at the edge.
  const std::vector<std::string> lines = korvanta::SplitLines(korvanta::InputToUtf8(text));
  return korvanta::ParseRoute(lines, options, kNoAirports, waypoints, header) ==
         korvanta::ParseResult::kParsed;
}

// The rows after the departure that are not the destination airport.
std::size_t EnRouteCount(const RouteHeader& header, const WaypointTable& waypoints) {
  std::size_t count = 0;
  for (std::size_t i = 1; i < waypoints.Count(); ++i)
    count += waypoints[i].id != header.destination_icao ? 1 : 0;
  return count;
}

std::uint16_t U16At(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
}

void CheckFsNavigator(const RouteHeader& route_header, const WaypointTable& route_waypoints) {
  // The plan tells its destination by the identifiers the six-character
  // targets write.
  const korvanta::SixCharacterRoute route(route_header, route_waypoints);
  const RouteHeader& header = route.Header();
  const WaypointTable& waypoints = route.Waypoints();
  const std::size_t en_route = EnRouteCount(header, waypoints);
  try {
    const std::string plan = korvanta::WriteFsNavigatorPlan(header, waypoints);
    Require(plan.size() == 516 + 52 * en_route, "FSNavigator: the plan has another length");
    Require(U16At(plan, 0) == plan.size(), "FSNavigator: the length field is not the length");
    Require(U16At(plan, 284) == waypoints.Count(), "FSNavigator: the point count is not the rows");
  } catch (const korvanta::RunError&) {
    // Refused only when the waypoints overflow the 16-bit length or the
    // points would run into the trailer.
    Require(
        en_route > korvanta::kFsNavMaxEnRoute || 388 + 10 * waypoints.Count() > 504 + 52 * en_route,
        "FSNavigator: a plan the format holds was refused");
  }
}

void CheckCiva(const RouteHeader& route_header, const WaypointTable& route_waypoints) {
  // The cards are Windows-1252; their names are the route's own text, as the
  // six-character targets write its identifiers.
  const korvanta::SixCharacterRoute route(route_header, route_waypoints);
  const RouteHeader& header = route.Header();
  const WaypointTable& waypoints = route.Waypoints();
  std::vector<std::string> en_route;
  for (std::size_t i = 1; i < waypoints.Count(); ++i) {
    if (waypoints[i].id != header.destination_icao)
      en_route.push_back(korvanta::Utf8ToCp1252(waypoints[i].id));
  }
  const std::vector<korvanta::CivaCard> cards = korvanta::WriteCivaCards(header, waypoints);
  Require(cards.size() == en_route.size() / 9 + 1, "CIVA: not nine waypoints to a card");
  std::size_t next = 0;
  for (std::size_t c = 0; c < cards.size(); ++c) {
    const std::string program =
        fmt::format("{}-{}{:02}", header.departure_icao, header.destination_icao, c + 1);
    Require(cards[c].file_name == program + ".AWC", "CIVA: a card is misnamed");
    const std::string& text = cards[c].text;
    Require(text.ends_with("\r\n;") &&
                korvanta::fuzz::OnlyCrLfLineEnds(std::string_view(text).substr(0, text.size() - 1)),
            "CIVA: a line end is not CR LF, or the last line is not a bare \";\"");
    Require(text.find("\r\n; CONCORDE INS PROGRAM #" + korvanta::Utf8ToCp1252(program) + "\r\n") !=
                std::string::npos,
            "CIVA: the card does not name its program");
    // Waypoint lines are the ones that are no ";" comments: "position ... ; id".
    int position = 0;
    for (const std::string& line : korvanta::SplitLines(text)) {
      if (line.starts_with(';'))
        continue;
      ++position;
      Require(next < en_route.size(), "CIVA: more waypoint lines than waypoints");
      Require(line.starts_with(fmt::format("{} ", position)), "CIVA: positions not counted from 1");
      Require(line.ends_with(fmt::format(" ; {}", en_route[next++])),
              "CIVA: waypoint out of order");
    }
    Require(position == (c + 1 < cards.size() ? 9 : static_cast<int>(en_route.size() % 9)),
            "CIVA: a card holds the wrong number of waypoints");
  }
  Require(next == en_route.size(), "CIVA: a waypoint is on no card");
}

void CheckTu154(const WaypointTable& waypoints) {
  korvanta::KlnNavigationPoints navigation_points;
  for (const korvanta::Waypoint& row : waypoints)
    navigation_points.Append({korvanta::Tu154LookupKey(row), "55.5", "37.5"});
  const std::string plan = korvanta::WriteTu154Plan(waypoints, navigation_points, 7);
  RequireCrLfText(plan, "Tu-154");
  const std::vector<std::string> lines = korvanta::SplitLines(plan);
  Require(lines.size() == waypoints.Count() + 2 && lines.front() == "[FPL.7]" &&
              lines.back() == fmt::format("PointsCount={}", waypoints.Count()),
          "Tu-154: not every waypoint found, or no header and count");
  for (std::size_t i = 0; i < waypoints.Count(); ++i) {
    Require(lines[i + 1].starts_with(fmt::format("Point.{}=", i)),
            "Tu-154: points not numbered without gaps");
  }
}

void CheckTextMode(const RouteHeader& header, const WaypointTable& waypoints,
                   std::string_view runway) {
  const korvanta::Fs2004Plan fs2004 = korvanta::WriteFs2004Plan(header, waypoints, runway);
  RequireCrLfText(fs2004.plan_text, "FS2004");
  RequireCrLfText(fs2004.isg_route, "ISG");
  // The FSX plan and the Google Earth file read the FS2004 plan's comma
  // fields back: a comma in an identifier or airway shifts them, and only
  // then may they refuse the route.
  bool comma_in_a_field = false;
  for (const korvanta::Waypoint& row : waypoints)
    comma_in_a_field = comma_in_a_field || row.id.find(',') != std::string::npos ||
                       row.route.find(',') != std::string::npos;
  try {
    RequireCrLfText(korvanta::WriteFsxPlan(fs2004.plan_text), "FSX");
    RequireCrLfText(korvanta::WriteGoogleEarthKml(fs2004.plan_text, header.departure_name,
                                                  header.destination_name),
                    "KML");
  } catch (const korvanta::RunError&) {
    Require(comma_in_a_field, "FSX/KML: a plan line without a comma in a field does not read");
  }
  try {
    RequireCrLfText(korvanta::WriteIflyPlan(header, waypoints), "iFly");
  } catch (const korvanta::RunError&) {
    // A coordinate that does not read as a number ends the iFly plan.
  }
  RequireCrLfText(korvanta::WriteLevelDRoute(header, waypoints), "Level-D");
  RequireCrLfText(korvanta::WriteXPlaneFms(header, waypoints), "X-Plane");
  RequireCrLfText(korvanta::WriteMadDogRoute(header, waypoints), "MadDog");
  CheckFsNavigator(header, waypoints);
  CheckCiva(header, waypoints);
  CheckTu154(waypoints);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0)
    return 0;
  const bool super80 = (data[0] & 1) != 0;
  const auto parts = korvanta::fuzz::SplitAtNul(korvanta::fuzz::AsText(data + 1, size - 1), 2);
  // The runway is one line as both front ends take it (the command line
  // refuses a line end in it).
  const std::string_view runway =
      parts[0].substr(0, std::min<std::size_t>(parts[0].find_first_of("\r\n"), 8));
  const std::string_view route = parts[1];

  WaypointTable waypoints;
  RouteHeader header;
  if (Parse(route, {korvanta::ParseMode::kText, super80}, waypoints, header))
    CheckTextMode(header, waypoints, runway);
  if (Parse(route, {korvanta::ParseMode::kDecimal, super80}, waypoints, header)) {
    RequireCrLfText(korvanta::WritePmdgRoute(header, waypoints, runway), "PMDG");
  }
  return 0;
}
