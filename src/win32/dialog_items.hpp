#pragma once

#include <cstddef>
#include <iterator>
#include <optional>

#include "win32/resource_ids.h"
#include "window/window_model.hpp"

namespace korvanta::win32 {

// The dialog item that draws a control (a target's box: IDC_TARGET_FIRST +
// the target's index).
int ItemOf(Control control);

// The control a dialog item draws, if it draws one (the simulator items draw
// none: their group does).
std::optional<Control> ControlOfItem(int id);

// The simulator selection's items, in the order of Simulator.
inline constexpr int kSimulatorItemIds[] = {IDC_SIMULATOR_FS9, IDC_SIMULATOR_FSX,
                                            IDC_SIMULATOR_XPLANE};
static_assert(std::size(kSimulatorItemIds) == kSimulatorCount);

}  // namespace korvanta::win32
