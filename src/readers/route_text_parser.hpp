#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "route/airports.hpp"
#include "route/tables.hpp"
#include "text/lines.hpp"

namespace korvanta {

inline constexpr std::string_view kWrongFormat = "Wrong format";

// The two readings of the details list. The positions are the same in both;
// they differ in how a row's kind, frequency and track are read.
enum class ParseMode {
  kText = 0,     // every writer but PMDG
  kDecimal = 1,  // the PMDG writer's reading
};

struct ParseOptions {
  ParseMode mode = ParseMode::kText;
  // Flight1 Super 80: the airports' ICAO codes become departure_name and destination_name.
  bool super80 = false;
};

enum class ParseResult {
  kParsed,
  kWrongFormat,  // no cruise-altitude line, or it is the last line: show kWrongFormat
  kNoDetails,    // no details list: the writer is skipped without a message
  kUnreadable,   // a plan file that gives no route: the reading's message says why
};

// Parses the route finder's text (UTF-8 lines) into `waypoints` and `header`.
// `waypoints` is emptied first; on failure it stays empty.
ParseResult ParseRoute(const std::vector<std::string>& lines, const ParseOptions& options,
                       const AirportDatabase& airports, WaypointTable& waypoints,
                       RouteHeader& header);

// Why a parsed route text may not be written although it reads: its details
// list ends elsewhere than the destination that its heading names (or, with
// no heading, the route chain's last item), so the text was cut off. None
// when the list reaches that end or the text names none.
std::optional<std::string> CutOffFault(const std::vector<std::string>& lines,
                                       const WaypointTable& waypoints);

// The most rows any details list of the text holds: the lines after a
// details heading up to a blank line or a tracks line. Counted without
// splitting the text, so that a huge text can be refused before it is parsed.
std::size_t DetailsLineCount(std::string_view text);

// Every run of blanks as one blank, as the parser reads every line.
std::string SqueezeBlanks(std::string_view text);

}  // namespace korvanta
