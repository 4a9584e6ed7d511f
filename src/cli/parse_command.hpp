#pragma once

#include <CLI/CLI.hpp>

#include <filesystem>
#include <functional>

namespace korvanta::cli {

// `korvanta-cli parse`: prints the route header and the waypoint table.
// Returns a callable that runs the command after the command line is parsed.
std::function<int()> AddParseCommand(CLI::App& app, const std::filesystem::path& executable);

}  // namespace korvanta::cli
