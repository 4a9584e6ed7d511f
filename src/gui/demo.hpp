#pragma once

#include <QString>

namespace korvanta::gui {

class MainWindow;

// Unattended runs of the real window, for the screenshot script and the
// start-up measurement. Everything starts once the start-up timer is done.
struct DemoOptions {
  QString route_file;          // put on the clipboard, every enabled box ticked, converted
  QString screenshot;          // PNG of the window, written after the conversion
  bool startup_probe = false;  // print the time the airport load ended
  bool Any() const { return !route_file.isEmpty() || !screenshot.isEmpty() || startup_probe; }
};

// Connects the demo to the window; the window is closed when it is done.
void ArrangeDemo(MainWindow& window, const DemoOptions& options);

}  // namespace korvanta::gui
