#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace korvanta {

// The unattended runs of the real windows, for the screenshot script and the
// start-up measurement; each starts once the window's start-up has ended.
struct DemoOptions {
  std::filesystem::path route_file;  // put on the clipboard, then WindowModel::RunDemo
  std::filesystem::path screenshot;  // a picture of the window, taken after the run
  bool startup_probe = false;        // print the time the airport load ended
  bool Any() const { return !route_file.empty() || !screenshot.empty() || startup_probe; }
};

// The route file's text as a browser puts it on the clipboard (UTF-8);
// nullopt when the file cannot be read.
std::optional<std::string> DemoRouteText(const std::filesystem::path& route_file);

}  // namespace korvanta
