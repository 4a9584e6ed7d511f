#pragma once

#include "window/demo.hpp"

namespace korvanta::gui {

class MainWindow;

// Connects the demo to the window: it starts once the start-up timer is done,
// and the window is closed when it is done.
void ArrangeDemo(MainWindow& window, const DemoOptions& options);

}  // namespace korvanta::gui
