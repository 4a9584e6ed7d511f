#pragma once

#include <optional>
#include <string>
#include <vector>

namespace korvanta::cli {

// Reads the route text from a file, or from standard input when the name is
// "-" or empty, and converts it to Windows-1252 lines. On failure `error`
// holds the system's text and the result is empty.
std::optional<std::vector<std::string>> ReadRouteLines(const std::string& file, std::string& error);

// Reads a whole file's bytes; nullopt with `error` set when it cannot be read.
std::optional<std::string> ReadBytes(const std::string& file, std::string& error);

}  // namespace korvanta::cli
