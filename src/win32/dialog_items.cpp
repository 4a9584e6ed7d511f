#include "win32/dialog_items.hpp"

#include <algorithm>

namespace korvanta::win32 {

namespace {

// The dialog item that draws each of the window's own controls, in the order
// of Control; the targets' boxes follow from IDC_TARGET_FIRST.
constexpr int kOwnControlItems[] = {
    IDC_SUPER80,               // kSuper80Box
    IDC_PLAN_NUMBER,           // kPlanNumber (with its up-down control)
    IDC_SIMULATOR_GROUP,       // kSimulatorSelection (with its three items)
    IDC_PLAN_NUMBER_LABEL,     // kPlanNumberLabel
    IDC_STATUS_LINE,           // kStatusLine
    IDC_RUNWAY_LABEL,          // kRunwayLabel
    IDC_RUNWAY,                // kRunwayBox
    IDC_CONVERT,               // kConversionButton
    IDC_MODIFY_RUNWAY_PROMPT,  // kRunwayPrompt
    IDC_GO,                    // kGoButton
    IDC_LOAD_PROGRESS,         // kProgressPanel
    IDC_WAYPOINTS,             // kGrid
    IDC_ROUTE_STRING,          // kRouteStringLine
    IDC_COPY,                  // kCopyButton
};
static_assert(std::size(kOwnControlItems) == static_cast<std::size_t>(Control::kFirstTargetBox));

}  // namespace

std::optional<Control> ControlOfItem(int id) {
  const auto* found = std::find(std::begin(kOwnControlItems), std::end(kOwnControlItems), id);
  if (found != std::end(kOwnControlItems))
    return static_cast<Control>(found - std::begin(kOwnControlItems));
  if (id >= IDC_TARGET_FIRST && id < IDC_TARGET_FIRST + static_cast<int>(kTargetCount))
    return BoxOf(static_cast<Target>(id - IDC_TARGET_FIRST));
  return std::nullopt;
}

int ItemOf(Control control) {
  if (const auto target = TargetOfBox(control))
    return IDC_TARGET_FIRST + static_cast<int>(*target);
  return kOwnControlItems[static_cast<std::size_t>(control)];
}

}  // namespace korvanta::win32
