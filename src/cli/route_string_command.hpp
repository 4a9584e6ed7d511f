#pragma once

#include <CLI/CLI.hpp>

#include <filesystem>
#include <functional>

namespace korvanta::cli {

// `korvanta-cli route-string`: prints the route as a pilot files it.
std::function<int()> AddRouteStringCommand(CLI::App& app, const std::filesystem::path& executable);

}  // namespace korvanta::cli
