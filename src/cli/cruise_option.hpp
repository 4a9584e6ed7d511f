#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvanta::cli {

// The cruise altitude a user gives, in feet: a flight level ("FL350", any
// case), or a number of digits only, which is a flight level up to three
// digits ("350") and feet from four ("35000", "9500"). From FL010 (1000 ft)
// to FL600 (60000 ft); nothing for any other text.
std::optional<std::int32_t> ReadCruiseAltitude(std::string_view text);

// Adds "--cruise FL|FEET" to a command; a text that ReadCruiseAltitude does
// not take is a usage error.
void AddCruiseOption(CLI::App& command, std::string& cruise);

}  // namespace korvanta::cli
