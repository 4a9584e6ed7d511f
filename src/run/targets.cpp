#include "run/targets.hpp"

namespace korvanta {

const TargetInfo& InfoOf(Target target) {
  for (const auto& info : kTargets) {
    if (info.target == target)
      return info;
  }
  return kTargets[0];
}

std::optional<Target> TargetByCliName(std::string_view name) {
  for (const auto& info : kTargets) {
    if (info.cli_name == name)
      return info.target;
  }
  return std::nullopt;
}

namespace {

using R = BoxRule;

// The selection table: which boxes each simulator enables, switches off,
// renames or leaves alone. The X-Plane 11/12 and GPX files serve every
// simulator: those boxes are enabled and keep their ticks under each.
const SimulatorSelection kSelections[] = {
    {Simulator::kFs9,
     {{{"CheckBox4", R::kEnable, "FS2004"},
       {"CheckBox2", R::kEnable, "PMDG 737/747"},
       {"CheckBox3", R::kEnable, ""},
       {"CheckBox1", R::kEnable, ""},
       {"CheckBox5", R::kEnable, ""},
       {"CheckBox9", R::kEnable, ""},
       {"MadDog2006", R::kEnable, ""},
       {"Tu154", R::kEnable, ""},
       {"CheckBox6", R::kOff, ""},
       {"CheckBox7", R::kKeep, ""},
       {"CheckBox8", R::kKeep, ""},
       {"XPlane11", R::kEnable, ""},
       {"Gpx", R::kEnable, ""}}}},
    {Simulator::kFsx,
     // The FSX plan, PMDG 747 and LVLD boxes are enabled here too: after
     // X-plane they would otherwise stay disabled until FS9 is picked.
     {{{"CheckBox4", R::kEnable, "FSX"},
       {"CheckBox2", R::kEnable, "PMDG 747"},
       {"CheckBox3", R::kEnable, ""},
       {"CheckBox1", R::kOff, ""},
       {"CheckBox5", R::kOff, ""},
       {"CheckBox9", R::kOff, ""},
       {"MadDog2006", R::kOff, ""},
       {"Tu154", R::kOff, ""},
       {"CheckBox6", R::kOff, ""},
       {"CheckBox7", R::kKeep, ""},
       {"CheckBox8", R::kKeep, ""},
       {"XPlane11", R::kEnable, ""},
       {"Gpx", R::kEnable, ""}}}},
    {Simulator::kXPlane,
     {{{"CheckBox4", R::kOff, ""},
       {"CheckBox2", R::kOff, ""},
       {"CheckBox3", R::kOff, ""},
       {"CheckBox1", R::kOff, ""},
       {"CheckBox5", R::kOff, ""},
       {"CheckBox9", R::kKeep, ""},
       {"MadDog2006", R::kOff, ""},
       {"Tu154", R::kOff, ""},
       {"CheckBox6", R::kEnableAndTick, ""},
       {"CheckBox7", R::kKeep, ""},
       {"CheckBox8", R::kKeep, ""},
       {"XPlane11", R::kEnable, ""},
       {"Gpx", R::kEnable, ""}}}},
};

BoxRule RuleFor(Simulator simulator, std::string_view control) {
  for (const auto& box : SelectionOf(simulator).boxes) {
    if (box.control == control)
      return box.rule;
  }
  return BoxRule::kKeep;
}

}  // namespace

const SimulatorSelection& SelectionOf(Simulator simulator) {
  return kSelections[static_cast<int>(simulator)];
}

bool TargetAllowed(Simulator simulator, Target target) {
  return RuleFor(simulator, InfoOf(target).control) != BoxRule::kOff;
}

bool Super80Allowed(Simulator simulator) {
  return RuleFor(simulator, "CheckBox1") != BoxRule::kOff;
}

}  // namespace korvanta
