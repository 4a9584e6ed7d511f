#pragma once

#include <CLI/CLI.hpp>

#include <functional>

namespace korvanta::cli {

// `korvanta-cli convert`: runs a conversion into the simulators' folders.
std::function<int()> AddConvertCommand(CLI::App& app, const char* executable);

}  // namespace korvanta::cli
