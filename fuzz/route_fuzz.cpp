// Feeds arbitrary bytes to the route parser and the airport database loader.
//
// Input layout: when the bytes hold a NUL, what comes before the first NUL is
// the airport database and what follows it is the route text; otherwise the
// whole input is both (a route file followed by database lines, as in the
// bundled example, works either way).
//
// Beyond the sanitizers, the target checks the parser's promises: a failed
// parse leaves the table empty, a successful one marks both ends as airports,
// every field keeps to its width in characters, and parsing the same lines
// again gives the same result, table and header.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "readers/route_text_parser.hpp"
#include "route/airports.hpp"
#include "route/tables.hpp"
#include "text/utf8.hpp"

namespace {

using korvanta::AirportDatabase;
using korvanta::ParseMode;
using korvanta::ParseOptions;
using korvanta::ParseResult;
using korvanta::RouteHeader;
using korvanta::Waypoint;
using korvanta::WaypointTable;

[[noreturn]] void Fail(const char* what, const ParseOptions& options) {
  std::fprintf(stderr, "route_fuzz: %s (mode %d, super80 %d)\n", what,
               static_cast<int>(options.mode), options.super80 ? 1 : 0);
  std::abort();
}

bool SameRow(const Waypoint& a, const Waypoint& b) {
  return a.id == b.id && a.lat == b.lat && a.lon == b.lon && a.position == b.position &&
         a.lat_fault == b.lat_fault && a.lon_fault == b.lon_fault && a.alt == b.alt &&
         a.route == b.route && a.kind == b.kind && a.freq == b.freq && a.track == b.track;
}

bool SameTable(const WaypointTable& a, const WaypointTable& b) {
  if (a.Count() != b.Count())
    return false;
  for (std::size_t i = 0; i < a.Count(); ++i) {
    if (!SameRow(a[i], b[i]))
      return false;
  }
  return true;
}

bool SameHeader(const RouteHeader& a, const RouteHeader& b) {
  return a.departure_icao == b.departure_icao && a.destination_icao == b.destination_icao &&
         a.departure_name == b.departure_name && a.destination_name == b.destination_name &&
         a.departure_position == b.departure_position &&
         a.destination_position == b.destination_position &&
         a.departure_elevation == b.departure_elevation &&
         a.destination_elevation == b.destination_elevation &&
         a.cruise_altitude == b.cruise_altitude;
}

bool FitsWidths(const Waypoint& row) {
  using korvanta::CharacterCount;
  return CharacterCount(row.id) <= WaypointTable::kIdWidth &&
         CharacterCount(row.lat) <= WaypointTable::kLatWidth &&
         CharacterCount(row.lon) <= WaypointTable::kLonWidth &&
         CharacterCount(row.route) <= WaypointTable::kRouteWidth &&
         CharacterCount(row.freq) <= WaypointTable::kFreqWidth &&
         CharacterCount(row.track) <= WaypointTable::kTrackWidth;
}

void CheckParse(const std::vector<std::string>& lines, const ParseOptions& options,
                const AirportDatabase& airports) {
  WaypointTable waypoints;
  RouteHeader header;
  const ParseResult result = ParseRoute(lines, options, airports, waypoints, header);

  if (result != ParseResult::kParsed && !waypoints.IsEmpty())
    Fail("failed parse left rows", options);
  if (result == ParseResult::kParsed) {
    if (waypoints.IsEmpty())
      Fail("parsed route has no rows", options);
    if (waypoints[0].kind != korvanta::WaypointKind::kAirport ||
        waypoints[waypoints.Count() - 1].kind != korvanta::WaypointKind::kAirport)
      Fail("ends are not airports", options);
    if (header.departure_icao != waypoints[0].id ||
        header.destination_icao != waypoints[waypoints.Count() - 1].id) {
      Fail("header ends differ from the table", options);
    }
  }
  for (const Waypoint& row : waypoints) {
    if (!FitsWidths(row))
      Fail("row field wider than its column", options);
  }

  // The same lines once more, into fresh objects.
  WaypointTable rm_again;
  RouteHeader header_again;
  const ParseResult again = ParseRoute(lines, options, airports, rm_again, header_again);
  if (again != result)
    Fail("second parse gives another result", options);
  if (!SameTable(waypoints, rm_again))
    Fail("second parse gives other rows", options);
  if (!SameHeader(header, header_again))
    Fail("second parse gives another header", options);
}

// Every line of the bytes becomes one row, an unfinished last line included.
std::size_t CountLines(std::string_view bytes) {
  std::size_t count = 0;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find('\n', start);
    ++count;
    if (end == std::string_view::npos)
      break;
    start = end + 1;
  }
  return count;
}

void CheckLoad(std::string_view bytes, const AirportDatabase& db) {
  if (!db.airports_loaded) {
    std::fprintf(stderr, "route_fuzz: database not marked loaded\n");
    std::abort();
  }
  if (db.runways.Count() != CountLines(bytes)) {
    std::fprintf(stderr, "route_fuzz: %zu database rows for %zu lines\n", db.runways.Count(),
                 CountLines(bytes));
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  std::string_view airport_bytes = bytes;
  std::string_view route_bytes = bytes;
  if (const auto nul = bytes.find('\0'); nul != std::string_view::npos) {
    airport_bytes = bytes.substr(0, nul);
    route_bytes = bytes.substr(nul + 1);

    AirportDatabase whole;
    korvanta::LoadAirportLines(bytes, whole);
    CheckLoad(bytes, whole);
  }

  AirportDatabase airports;
  korvanta::LoadAirportLines(airport_bytes, airports);
  CheckLoad(airport_bytes, airports);

  const std::vector<std::string> lines = korvanta::SplitLines(route_bytes);
  for (const ParseMode mode : {ParseMode::kText, ParseMode::kDecimal}) {
    for (const bool super80 : {false, true})
      CheckParse(lines, {mode, super80}, airports);
  }
  return 0;
}
