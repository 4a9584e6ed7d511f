#pragma once

#include <filesystem>

namespace korvanta::cli {

// korvanta-cli with its arguments in UTF-8 (`argv[0]` the program's name as
// called); `executable` is the program's file, whose folder may hold the
// program's own files. Returns the exit status.
int RunCommandLine(int argc, char** argv, const std::filesystem::path& executable);

}  // namespace korvanta::cli
