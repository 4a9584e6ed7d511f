#pragma once

#include <CLI/CLI.hpp>

#include <filesystem>
#include <functional>

namespace korvanta::cli {

// `korvanta-cli map`: writes the route's map as an SVG picture. Returns a
// callable that runs the command after the command line is parsed.
std::function<int()> AddMapCommand(CLI::App& app, const std::filesystem::path& executable);

}  // namespace korvanta::cli
