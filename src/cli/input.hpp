#pragma once

#include <optional>
#include <string>

namespace korvanta::cli {

// Reads the route text from a file, or from standard input when the name is
// "-" or empty, decoded into UTF-8 (InputToUtf8). On failure `error` holds
// the system's text and the result is empty.
std::optional<std::string> ReadRouteText(const std::string& file, std::string& error);

}  // namespace korvanta::cli
