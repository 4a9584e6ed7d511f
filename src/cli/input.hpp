#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvanta::cli {

// Reads the route text from a file, or from standard input when the name is
// "-" or empty, decoded into UTF-8 (InputToUtf8). On failure `error` holds
// the system's text and the result is empty.
std::optional<std::string> ReadRouteText(const std::string& file, std::string& error);

// Why the route text gave no route, for standard error ("Wrong format" is
// the run's own message; the missing details list is quiet there).
inline constexpr std::string_view kNoDetailsReason =
    "No details list found (a line beginning \"ID FREQ TRK\" followed by the waypoints)";

}  // namespace korvanta::cli
