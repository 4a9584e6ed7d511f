#pragma once

#include <windows.h>

#include <filesystem>

#include "window/demo.hpp"

namespace korvanta::win32 {

class MainWindow;

// Runs the demo on the window once its start-up has ended, and closes it; the
// picture is a BMP file. False when a step failed.
bool RunDemo(MainWindow& window, const DemoOptions& options);

// The window as the screen shows it, frame included, as a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::filesystem::path& file);

}  // namespace korvanta::win32
