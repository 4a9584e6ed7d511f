#pragma once

#include <filesystem>

namespace korvanta::cli {

// Starts the desktop's viewer for `file` (its registered program) without
// waiting for it; false when it could not be started.
bool OpenInViewer(const std::filesystem::path& file);

}  // namespace korvanta::cli
