#pragma once

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <string_view>

#include "readers/input_kind.hpp"
#include "route/airports.hpp"
#include "run/input_source.hpp"
#include "run/route_source.hpp"

namespace korvanta::cli {

// What reading the input gives: its source, or the message and exit status
// of an input that cannot be read (exit 1) or is refused (exit 3).
struct CliInput {
  InputSource input;
  int exit_status = 0;
};

// Reads the input from a file, or from standard input when the name is "-"
// or empty, and makes its route source (MakeInputSource): of the kind
// `from` names (a --from word of the reader table), else of the kind its content shows.
CliInput ReadInput(const std::string& file, const std::string& from);

// The route of `source` for a command that prints it; none when it gives no
// route, after printing why on standard error, with `exit_status` set to
// the command's exit status. The reading's notes are the caller's to print.
std::optional<RouteReading> ReadRoute(const RouteSource& source, const ParseOptions& options,
                                      const AirportDatabase& airports, int& exit_status);

// Adds "--from" to a command; the name is checked against the input kinds.
void AddFromOption(CLI::App& command, std::string& from);

// Why the route text gave no route, for standard error ("Wrong format" is
// the run's own message; the missing details list is quiet there).
inline constexpr std::string_view kNoDetailsReason =
    "No details list found (a line beginning \"ID FREQ TRK\" followed by the waypoints)";

}  // namespace korvanta::cli
