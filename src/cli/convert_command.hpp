#pragma once

#include <CLI/CLI.hpp>

#include <filesystem>
#include <functional>

namespace korvanta::cli {

// `korvanta-cli convert`: runs a conversion into the simulators' folders.
std::function<int()> AddConvertCommand(CLI::App& app, const std::filesystem::path& executable);

}  // namespace korvanta::cli
