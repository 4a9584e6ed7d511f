#pragma once

#include <array>
#include <optional>
#include <set>
#include <string_view>

namespace korvanta {

// The tick boxes of the window, one per target format, in window order.
enum class Target {
  kFs2004,       // CheckBox4 "FS2004" ("FSX" in FSX mode)
  kGoogleEarth,  // CheckBox8
  kIfly,         // CheckBox9
  kLevelD,       // CheckBox3
  kXPlane,       // CheckBox6
  kPmdg,         // CheckBox2
  kFsNavigator,  // CheckBox5
  kCiva,         // CheckBox7
  kMadDog,       // MadDog2006
  kTu154,        // Tu154
  kXPlane11,     // XPlane11 "X-Plane 11/12"
  kGpx,          // Gpx "GPX"
};

struct TargetInfo {
  Target target;
  std::string_view cli_name;  // korvanta-cli's name of the target
  std::string_view control;   // the window's tick box; its tick is stored as control + "_Checked"
  std::string_view caption;   // its design caption
};

inline constexpr std::array<TargetInfo, 12> kTargets = {{
    {Target::kFs2004, "fs2004", "CheckBox4", "FS2004"},
    {Target::kGoogleEarth, "kml", "CheckBox8", "Google Earth"},
    {Target::kIfly, "ifly", "CheckBox9", "iFly737"},
    {Target::kLevelD, "leveld", "CheckBox3", "LVLD 767"},
    {Target::kXPlane, "xplane", "CheckBox6", "X-Plane"},
    {Target::kPmdg, "pmdg", "CheckBox2", "PMDG 737/747"},
    {Target::kFsNavigator, "fsnav", "CheckBox5", "FSNavigator"},
    {Target::kCiva, "civa", "CheckBox7", "CIVA"},
    {Target::kMadDog, "maddog", "MadDog2006", "MadDog2008"},
    {Target::kTu154, "tu154", "Tu154", "TU154"},
    {Target::kXPlane11, "xplane11", "XPlane11", "X-Plane 11/12"},
    {Target::kGpx, "gpx", "Gpx", "GPX"},
}};

const TargetInfo& InfoOf(Target target);
std::optional<Target> TargetByCliName(std::string_view name);

// The simulator selection (RadioGroup1).
enum class Simulator { kFs9 = 0, kFsx = 1, kXPlane = 2 };

// What a selection does to one box. "Off" is disabled and unticked; kKeep
// leaves the box as it is.
enum class BoxRule { kKeep, kEnable, kOff, kEnableAndTick };

struct BoxSelection {
  std::string_view control;
  BoxRule rule;
  std::string_view caption;  // the new caption, or empty to keep it
};

struct SimulatorSelection {
  Simulator simulator;
  std::array<BoxSelection, 13> boxes;  // the twelve target boxes and CheckBox1 (Super 80)
};

// What selecting `simulator` does to each box.
const SimulatorSelection& SelectionOf(Simulator simulator);

// Whether a target may be ticked under the selection, starting from a state
// where every box is enabled (the command line's rule).
bool TargetAllowed(Simulator simulator, Target target);
// Whether the Flight1 Super 80 box may be ticked under the selection.
bool Super80Allowed(Simulator simulator);

}  // namespace korvanta
