#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "run/targets.hpp"

namespace korvanta {

// Every control of the program's window. The model keeps a state for each; a
// view draws each one with its toolkit's widget.
enum class Control {
  kSuper80Box,          // "Flight1 Super 80 format", shown while the FS2004 box is ticked
  kPlanNumber,          // the plan number (1 to 99999), for the Super 80 and Tu-154 plans
  kSimulatorSelection,  // "FS9", "FSX", "X-plane"; its value is the selected item
  kPlanNumberLabel,     // "Flight plan nr", shown with the plan number
  kStatusLine,          // what the last writer did, or why a run wrote nothing
  kRunwayLabel,         // "Departing Runway"
  kRunwayBox,           // the departing runway; its caption is the text typed
  kConversionButton,    // starts a conversion run
  kRunwayPrompt,        // "Modify Runway", shown by the GO!!! button
  kGoButton,            // "GO!!!": moves the focus to the runway box
  kProgressPanel,       // "Loading Routes ....." while the airport database loads
  kGrid,                // the waypoint table the run's last parse left
  kRouteStringLine,     // the grid's route as a pilot files it, read-only; empty without a route
  kCopyButton,          // "Copy": puts the route string on the clipboard
  // The targets' tick boxes follow, one per target in the order of Target:
  // BoxOf(target).
  kFirstTargetBox,
};
inline constexpr std::size_t kControlCount =

    static_cast<std::size_t>(Control::kFirstTargetBox) + kTargetCount;

// The tick box of a target.
constexpr Control BoxOf(Target target) {
  return static_cast<Control>(static_cast<int>(Control::kFirstTargetBox) +
                              static_cast<int>(target));
}

// The target whose tick box the control is, if it is one.
std::optional<Target> TargetOfBox(Control control);

// How a control's state is kept from one start of the program to the next.
enum class StoredAs {
  kNotKept,
  kTicked,    // "True" / "False"
  kValue,     // the plan number, a decimal number
  kItemIndex  // the selected item, a decimal integer
};

// One row per control: its self-explaining name (the views' widget name), its
// design state, and the key that keeps its state in section "TForm1" of the
// settings file. The key names are data that users' settings files rely on.
// The target boxes' rows come from the target table: a new target adds its
// box to both windows.
struct ControlInfo {
  Control control;
  std::string_view name;                   // "fs2004Box"
  std::string_view caption;                // design caption (UTF-8)
  bool visible = true;                     // design visibility
  std::optional<Target> target{};          // the target a tick box chooses
  const SelectionEffects* on_selection{};  // set for the tick boxes the selections switch
  std::optional<BoxPlace> place{};         // set for the controls of the tick rows
  StoredAs stored = StoredAs::kNotKept;
  std::string_view stored_key{};  // the key of section "TForm1" that keeps the state
};

// Every control, in the order of Control.
std::span<const ControlInfo> Controls();
const ControlInfo& InfoOf(Control control);
// Whether the control is a tick box the user ticks (a target's or the Super 80 box).
bool IsTickBox(Control control);
// The controls of the tick rows, row by row and left to right: the target
// boxes, the Super 80 box and the plan number with its label. The windows
// lay the rows out, and take the keyboard from one to the next, in this order.
std::vector<Control> TickRowOrder();

// What the route string's line shows, greyed, while it is empty.
inline constexpr std::string_view kRouteStringCue = "Route string";

// The Alt+letter of a caption (see WithoutMnemonic), upper case; '\0' when
// the caption has none.
char MnemonicOf(std::string_view caption);

}  // namespace korvanta
