// The window model's state changes and the rules that follow the user's
// ticks, the simulator selection and the other inputs.

#include "window/window_model.hpp"

#include <algorithm>
#include <utility>

#include "route/route_string.hpp"
#include "run/run_choices.hpp"
#include "writers/tu154.hpp"

namespace korvanta {

WindowModel::WindowModel(const std::filesystem::path& app_dir, const FolderSource& source,
                         bool file_dialog, WindowView& view)
    : view_(view),
      file_dialog_(file_dialog),
      source_(source),
      folders_(BuildFolderSet(app_dir, source)),
      navigation_(NavigationOf(folders_)),
      run_(folders_, airports_, *this) {
  airports_.navigation = &navigation_;
  for (const ControlInfo& info : Controls()) {
    ControlState& state = Mutable(info.control);
    state.caption = info.caption;
    state.visible = info.visible;
  }
  Mutable(Control::kPlanNumber).value = kPlanNumberDefault;
  Mutable(Control::kSimulatorSelection).value = static_cast<int>(Simulator::kFs9);
  // Until the airport database has loaded, a run would write elevation 0
  // for both airports.
  Mutable(Control::kConversionButton).enabled = false;
  // No route, nothing to copy.
  Mutable(Control::kCopyButton).enabled = false;
}

WindowModel::~WindowModel() = default;

MapPicture WindowModel::RouteMap(const MapSize& size) const {
  if (!map_land_)
    map_land_ = BuiltInMapLand();
  return BuildMapPicture(Waypoints(), size, *map_land_);
}

const ControlState& WindowModel::StateOf(Control control) const {
  return state_[static_cast<std::size_t>(control)];
}

ControlState& WindowModel::Mutable(Control control) {
  return state_[static_cast<std::size_t>(control)];
}

void WindowModel::RenderGrid() {
  view_.Render(Control::kGrid, StateOf(Control::kGrid));
  const WaypointTable& waypoints = Waypoints();
  std::string route_string = waypoints.Count() == 0 ? std::string() : RouteString(waypoints);
  SetEnabled(Control::kCopyButton, !route_string.empty());
  SetCaption(Control::kRouteStringLine, std::move(route_string));
}

void WindowModel::CopyClicked() {
  const std::string& route_string = StateOf(Control::kRouteStringLine).caption;
  if (route_string.empty())
    return;
  ShowStatus(view_.PutClipboardText(route_string) ? std::string(kRouteStringCopied)
                                                  : std::string(kRouteStringNotCopied));
}

void WindowModel::SetTicked(Control box, bool ticked) {
  ControlState& state = Mutable(box);
  if (state.ticked == ticked)
    return;
  state.ticked = ticked;
  view_.Render(box, state);
  BoxChanged(box);
}

void WindowModel::SetVisible(Control control, bool visible) {
  ControlState& state = Mutable(control);
  if (state.visible == visible)
    return;
  state.visible = visible;
  view_.Render(control, state);
}

void WindowModel::SetEnabled(Control control, bool enabled) {
  ControlState& state = Mutable(control);
  if (state.enabled == enabled)
    return;
  state.enabled = enabled;
  view_.Render(control, state);
}

void WindowModel::SetCaption(Control control, std::string caption) {
  ControlState& state = Mutable(control);
  if (state.caption == caption)
    return;
  state.caption = std::move(caption);
  view_.Render(control, state);
}

// ---- the show/hide rules ---------------------------------------------------

// Runs whenever a box's tick changes, whoever changed it.
void WindowModel::BoxChanged(Control box) {
  constexpr Control kTu154Box = BoxOf(Target::kTu154);
  if (box == Control::kSuper80Box || box == kTu154Box) {
    // Both plans carry the plan number, so it stays in sight while either
    // box is ticked.
    const bool shown = StateOf(Control::kSuper80Box).ticked || StateOf(kTu154Box).ticked;
    SetVisible(Control::kPlanNumberLabel, shown);
    SetVisible(Control::kPlanNumber, shown);
    UpdatePlanNumberMark();
  } else if (box == BoxOf(Target::kFs2004)) {
    ApplySuper80Rule();
  }
}

void WindowModel::BoxTicked(Control box, bool ticked) {
  if (IsTickBox(box))
    SetTicked(box, ticked);
}

// ---- the simulator selection -----------------------------------------------

void WindowModel::SimulatorSelected(Simulator simulator) {
  ControlState& state = Mutable(Control::kSimulatorSelection);
  // Picking the item that is already selected picks nothing: it must not
  // tick the X-Plane box the user has just unticked.
  if (state.value == static_cast<int>(simulator))
    return;
  state.value = static_cast<int>(simulator);
  view_.Render(Control::kSimulatorSelection, state);
  ApplySelection();
}

// The selected item's enabled states: the first step of applying it, and on
// their own before the window is first shown, so that no box the restored
// item turns off looks usable until the start-up applies the whole selection.
void WindowModel::ApplySelectionEnabledStates() {
  const auto index = static_cast<std::size_t>(StateOf(Control::kSimulatorSelection).value);
  for (const ControlInfo& info : Controls()) {
    if (info.on_selection != nullptr && (*info.on_selection)[index].rule != BoxRule::kKeep)
      SetEnabled(info.control, (*info.on_selection)[index].rule != BoxRule::kOff);
  }
}

void WindowModel::ApplySelection() {
  ApplySelectionEnabledStates();
  const int index = StateOf(Control::kSimulatorSelection).value;
  for (const ControlInfo& info : Controls()) {
    if (info.on_selection == nullptr)
      continue;
    const SelectionEffect& effect = (*info.on_selection)[static_cast<std::size_t>(index)];
    if (effect.rule == BoxRule::kOff || effect.rule == BoxRule::kEnableAndTick)
      SetTicked(info.control, effect.rule == BoxRule::kEnableAndTick);
    if (!effect.caption.empty())
      SetCaption(info.control, std::string(effect.caption));
  }
  applied_ = static_cast<Simulator>(index);
  view_.ProcessPendingEvents();
}

// ---- the other inputs ------------------------------------------------------

void WindowModel::RunwayEdited(const std::string& text) {
  ControlState& state = Mutable(Control::kRunwayBox);
  // The view reports the text the model has just put there too.
  if (state.caption == text)
    return;
  state.caption = text;
  runway_typed_ = true;
}

void WindowModel::ShowRouteRunway(const std::optional<std::string>& runway) {
  if (!runway || runway->empty())
    return;
  // The user's runway for this route stands; a route with another runway
  // brings its own.
  if (runway_typed_ && route_runway_ == runway)
    return;
  route_runway_ = runway;
  runway_typed_ = false;
  SetCaption(Control::kRunwayBox, *runway);
}

// A typed 0 or an emptied box becomes the lowest number.
void WindowModel::PlanNumberChanged(int number) {
  ControlState& state = Mutable(Control::kPlanNumber);
  const int bounded = std::clamp(number, kPlanNumberMin, kPlanNumberMax);
  state.value = bounded;
  if (bounded != number)
    view_.Render(Control::kPlanNumber, state);
  UpdatePlanNumberMark();
}

// The Tu-154 store holds fewer plans than the Super 80 names: a number past
// them is marked while the Tu-154 box is ticked, before a run refuses it.
void WindowModel::UpdatePlanNumberMark() {
  ControlState& state = Mutable(Control::kPlanNumber);
  const bool marked = StateOf(BoxOf(Target::kTu154)).ticked && state.value > kTu154MaxPlanNumber;
  if (state.marked == marked)
    return;
  state.marked = marked;
  state.tooltip = marked ? std::string(kTu154PlanRange) : "";
  view_.Render(Control::kPlanNumber, state);
}

void WindowModel::ShowStatus(std::string text) {
  status_ = std::move(text);
  if (!airport_list_missing_)
    SetCaption(Control::kStatusLine, status_);
  else if (status_.empty())
    SetCaption(Control::kStatusLine, std::string(kNoAirportListNote));
  else
    SetCaption(Control::kStatusLine, status_ + " (" + std::string(kNoAirportListNote) + ")");
}

void WindowModel::GoClicked() {
  view_.Focus(Control::kRunwayBox);
  SetVisible(Control::kRunwayPrompt, true);
}

bool WindowModel::KeyPressed(Key key, std::optional<Control> focused,
                             std::chrono::milliseconds at) {
  switch (key) {
    case Key::kF5:
      Convert(at);
      return true;
    case Key::kNextItem:
    case Key::kPreviousItem: {
      if (focused != Control::kSimulatorSelection)
        return false;
      const int count = static_cast<int>(kSimulatorCount);
      const int step = key == Key::kNextItem ? 1 : count - 1;
      SimulatorSelected(
          static_cast<Simulator>((StateOf(Control::kSimulatorSelection).value + step) % count));
      view_.Focus(Control::kSimulatorSelection);
      return true;
    }
    case Key::kEnter:
      // In the runway box it ends the runway's entry that GO!!! asks for.
      if (focused == Control::kConversionButton || focused == Control::kRunwayBox) {
        Convert(at);
        return true;
      }
      // A push button that the keyboard reached without making it the
      // window's default one would otherwise ignore Enter: GO!!! has the
      // focus as the window opens; Copy is no dialog's button in Qt.
      if (focused == Control::kGoButton) {
        GoClicked();
        return true;
      }
      if (focused == Control::kCopyButton) {
        CopyClicked();
        return true;
      }
      if (focused && IsTickBox(*focused) && StateOf(*focused).enabled &&
          StateOf(*focused).visible) {
        SetTicked(*focused, !StateOf(*focused).ticked);
        return true;
      }
      return false;
  }
  return false;
}

// The Super 80 box is shown exactly while the FS2004 box is ticked; after the
// restore it runs once more, for a file that kept a Super 80 tick without the
// FS2004 one. A hidden box must not stay ticked either: it would rename the
// FS2004 plan without the user seeing why.
void WindowModel::ApplySuper80Rule() {
  const bool fs2004 = StateOf(BoxOf(Target::kFs2004)).ticked;
  SetVisible(Control::kSuper80Box, fs2004);
  if (!fs2004)
    SetTicked(Control::kSuper80Box, false);
}
}  // namespace korvanta
