#pragma once

#include <CLI/CLI.hpp>

#include <filesystem>
#include <functional>

namespace korvanta::cli {

// `korvanta-cli navdata`: which navigation data a run would use, and what it
// holds.
std::function<int()> AddNavdataCommand(CLI::App& app, const std::filesystem::path& executable);

}  // namespace korvanta::cli
