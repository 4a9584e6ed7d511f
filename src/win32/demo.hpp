#pragma once

#include <windows.h>

#include <filesystem>

namespace korvanta::win32 {

class MainWindow;

// Unattended runs of the real window, for the screenshot script. The demo
// starts once the start-up (selection applied, airports loaded) has ended.
struct DemoOptions {
  std::filesystem::path route_file;  // put on the clipboard, every enabled box ticked, converted
  std::filesystem::path screenshot;  // picture of the window (BMP), taken after the conversion
  bool Any() const { return !route_file.empty() || !screenshot.empty(); }
};

// Runs the demo on the window and closes it. False when a step failed.
bool RunDemo(MainWindow& window, const DemoOptions& options);

// The window as the screen shows it, frame included, as a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::filesystem::path& file);

}  // namespace korvanta::win32
