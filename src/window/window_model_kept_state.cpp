// The window model's kept state: the control states and the window's
// placement, read at the first show and written at the close.

#include "window/window_model.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <vector>

#include <fmt/format.h>

#include "io/utf8_path.hpp"
#include "settings/ini_profile.hpp"
#include "text/numbers.hpp"
#include "text/text.hpp"

namespace korvanta {

namespace {

// The kept controls in the order the store writes their keys: the order of
// the first window's form, which earlier settings files hold; the boxes of
// the targets added since follow in the order of the target table.
std::vector<Control> StoreOrder() {
  std::vector<Control> order = {
      Control::kSuper80Box,   Control::kPlanNumber,   BoxOf(Target::kPmdg),
      BoxOf(Target::kLevelD), BoxOf(Target::kFs2004), BoxOf(Target::kFsNavigator),
      BoxOf(Target::kMadDog), BoxOf(Target::kTu154),  Control::kSimulatorSelection,
      BoxOf(Target::kXPlane), BoxOf(Target::kCiva),   BoxOf(Target::kGoogleEarth),
      BoxOf(Target::kIfly)};
  for (const TargetDescriptor& target : Targets()) {
    if (std::find(order.begin(), order.end(), BoxOf(target.target)) == order.end())
      order.push_back(BoxOf(target.target));
  }
  return order;
}

// The placement as the window kept it before it used the toolkit's own form.
constexpr std::string_view kOldLeftKey = "Left";
constexpr std::string_view kOldTopKey = "Top";
constexpr std::string_view kOldWidthKey = "Width";
constexpr std::string_view kOldHeightKey = "Height";
constexpr std::string_view kOldMaximizedKey = "Maximized";
std::optional<bool> ReadBool(std::string_view text) {
  if (EqualNoCase(text, "True"))
    return true;
  if (EqualNoCase(text, "False"))
    return false;
  return std::nullopt;
}

std::optional<int> ReadInt(std::string_view text) {
  const auto value = ReadInteger(text);
  if (!value || *value < INT32_MIN || *value > INT32_MAX)
    return std::nullopt;
  return static_cast<int>(*value);
}

std::string_view BoolText(bool value) {
  return value ? "True" : "False";
}

}  // namespace

// A missing key, or a value that does not read, leaves its control as it is.
// A restored tick that changes runs the show/hide rules, as a click would.
// The selected item is only marked; the start-up timer applies it.
void WindowModel::RestoreStates() {
  // One read of the file for every key.
  const std::string settings = IniProfile(folders_.SettingsFile()).Text();
  const auto read = [&](std::string_view key) { return IniLookup(settings, kStateSection, key); };
  const auto read_int = [&](std::string_view key) {
    const auto text = read(key);
    return text ? ReadInt(*text) : std::nullopt;
  };
  for (const Control control : StoreOrder()) {
    const ControlInfo& info = InfoOf(control);
    const std::optional<std::string> value = read(info.stored_key);
    if (!value)
      continue;
    switch (info.stored) {
      case StoredAs::kTicked:
        if (const auto ticked = ReadBool(*value))
          SetTicked(info.control, *ticked);
        break;
      case StoredAs::kValue: {
        const auto number = ReadDecimal(*value);
        if (number && std::isfinite(*number)) {
          const double bounded =
              std::clamp(std::round(*number), double(kPlanNumberMin), double(kPlanNumberMax));
          ControlState& state = Mutable(info.control);
          state.value = static_cast<int>(bounded);
          view_.Render(info.control, state);
          UpdatePlanNumberMark();
        }
        break;
      }
      case StoredAs::kItemIndex: {
        const auto index = ReadInt(*value);
        if (index && *index >= 0 && *index < static_cast<int>(kSimulatorCount)) {
          ControlState& state = Mutable(info.control);
          state.value = *index;
          view_.Render(info.control, state);
        }
        break;
      }
      case StoredAs::kNotKept:
        break;
    }
  }

  const std::string saved = read(view_.PlacementKey()).value_or("");
  std::optional<OldPlacement> old;
  const auto left = read_int(kOldLeftKey);
  const auto top = read_int(kOldTopKey);
  const auto width = read_int(kOldWidthKey);
  const auto height = read_int(kOldHeightKey);
  if (left && top && width && height && *width > 0 && *height > 0) {
    const auto maximized_text = read(kOldMaximizedKey);
    const bool maximized = maximized_text && ReadBool(*maximized_text).value_or(false);
    old = OldPlacement{*left, *top, *width, *height, maximized};
  }
  view_.RestorePlacement(saved, old);
}

// Writes the kept control states and the placement into section "TForm1";
// every other byte of the settings file stays as it was.
void WindowModel::SaveStates() {
  std::vector<IniProfile::Entry> entries;
  for (const Control control : StoreOrder()) {
    const ControlInfo& info = InfoOf(control);
    const ControlState& state = StateOf(control);
    switch (info.stored) {
      case StoredAs::kTicked:
        entries.push_back({std::string(info.stored_key), std::string(BoolText(state.ticked))});
        break;
      case StoredAs::kValue:
      case StoredAs::kItemIndex:
        entries.push_back({std::string(info.stored_key), std::to_string(state.value)});
        break;
      case StoredAs::kNotKept:
        break;
    }
  }
  entries.push_back({std::string(view_.PlacementKey()), view_.SavePlacement()});
  // The window is about to close: the box is the user's last chance to
  // learn that the next start will not find these settings.
  try {
    IniProfile(folders_.SettingsFile()).Write(kStateSection, entries);
  } catch (const std::exception& e) {
    view_.ShowMessage(fmt::format("The window's settings were not saved to {}.\n{}",
                                  ShownPath(folders_.SettingsFile()), e.what()));
  }
}

}  // namespace korvanta
