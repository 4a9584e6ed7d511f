#include "window/window_model.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <utility>
#include <vector>

#include "io/file_read.hpp"
#include "io/utf8_path.hpp"
#include "run/input_source.hpp"
#include "settings/ini_profile.hpp"
#include "text/numbers.hpp"
#include "text/text.hpp"

namespace korvanta {

namespace {

using C = Control;
using S = StoredAs;

// The window's own controls, in the order of Control. The stored keys are the
// names the settings files of earlier versions hold.
constexpr ControlInfo kOwnControls[] = {
    {C::kSuper80Box, "super80Box", "Flight1 S&uper 80 format", false, std::nullopt,
     &kSuper80Selection, BoxPlace{0, 50, 104}, S::kTicked, "CheckBox1_Checked"},
    {C::kPlanNumber, "planNumber", "", false, std::nullopt, nullptr, BoxPlace{0, 212, 40},
     S::kValue, "RxSpinEdit1_Value"},
    {C::kSimulatorSelection, "simulatorSelection", "", true, std::nullopt, nullptr, std::nullopt,
     S::kItemIndex, "RadioGroup1_ItemIndex"},
    {C::kPlanNumberLabel, "planNumberLabel", "Flight pl&an nr", false, std::nullopt, nullptr,
     BoxPlace{0, 158, 52}},
    {C::kStatusLine, "statusLine", ""},
    {C::kRunwayLabel, "runwayLabel", "Departing &Runway"},
    {C::kRunwayBox, "runwayBox", ""},
    {C::kConversionButton, "conversionButton", ""},
    {C::kRunwayPrompt, "runwayPrompt", "Modify Runway", false},
    {C::kGoButton, "goButton", "G&O!!!"},
    {C::kProgressPanel, "progressPanel", "Loading Routes ....."},
    {C::kGrid, "grid", ""},
};
static_assert(std::size(kOwnControls) == static_cast<std::size_t>(Control::kFirstTargetBox));

constexpr bool RowsInEnumOrder() {
  for (std::size_t i = 0; i < std::size(kOwnControls); ++i) {
    if (static_cast<std::size_t>(kOwnControls[i].control) != i)
      return false;
  }
  return true;
}
static_assert(RowsInEnumOrder(), "one row per control, in the order of Control");

// Every control's row: the window's own, then one tick box per target from
// the target table, named after the target's command-line name.
class ControlTable {
 public:
  ControlTable() {
    std::copy(std::begin(kOwnControls), std::end(kOwnControls), rows_.begin());
    for (const TargetDescriptor& target : Targets()) {
      const auto index = static_cast<std::size_t>(target.target);
      box_names_[index] = std::string(target.cli_name) + "Box";
      rows_[static_cast<std::size_t>(BoxOf(target.target))] = {
          BoxOf(target.target), box_names_[index],    target.caption, true,
          target.target,        &target.on_selection, target.place,   S::kTicked,
          target.stored_key};
    }
  }
  ControlTable(const ControlTable&) = delete;
  ControlTable& operator=(const ControlTable&) = delete;

  std::span<const ControlInfo> Rows() const { return rows_; }

 private:
  std::array<std::string, kTargetCount> box_names_;  // the rows' names point into these
  std::array<ControlInfo, kControlCount> rows_{};
};

const ControlTable& Table() {
  static const ControlTable table;
  return table;
}

// The kept controls in the order the store writes their keys: the order of
// the first window's form, which earlier settings files hold; the boxes of
// the targets added since follow in the order of the target table.
std::vector<Control> StoreOrder() {
  std::vector<Control> order = {
      C::kSuper80Box,         C::kPlanNumber,         BoxOf(Target::kPmdg),
      BoxOf(Target::kLevelD), BoxOf(Target::kFs2004), BoxOf(Target::kFsNavigator),
      BoxOf(Target::kMadDog), BoxOf(Target::kTu154),  C::kSimulatorSelection,
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

constexpr std::string_view kNoDetailsFound = "No details list found";
constexpr std::string_view kClipboardEmpty = "The clipboard holds no text";

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

std::span<const ControlInfo> Controls() {
  return Table().Rows();
}

const ControlInfo& InfoOf(Control control) {
  return Table().Rows()[static_cast<std::size_t>(control)];
}

std::optional<Target> TargetOfBox(Control control) {
  return InfoOf(control).target;
}

bool IsTickBox(Control control) {
  return InfoOf(control).on_selection != nullptr;
}

std::vector<Control> TickRowOrder() {
  std::vector<Control> order;
  for (const ControlInfo& info : Controls()) {
    if (info.place)
      order.push_back(info.control);
  }
  std::stable_sort(order.begin(), order.end(), [](Control a, Control b) {
    const BoxPlace& first = *InfoOf(a).place;
    const BoxPlace& second = *InfoOf(b).place;
    return std::pair(first.row, first.left) < std::pair(second.row, second.left);
  });
  return order;
}

char MnemonicOf(std::string_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&')
      continue;
    if (caption[i + 1] != '&') {
      const char letter = caption[i + 1];
      return letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter;
    }
    ++i;  // "&&" is a shown "&"
  }
  return '\0';
}

std::string GridCellText(const Waypoint& row, std::size_t column) {
  switch (column) {
    case 0:
      return row.id;
    case 1:
      return row.lat;
    case 2:
      return row.lon;
    case 3:
      return std::to_string(row.alt);
    case 4:
      return row.route;
    case 5:
      return std::string(1, KindLetter(row.kind));
    case 6:
      return row.freq;
    case 7:
      return row.track;
    default:
      return {};
  }
}

bool FileDialogRequested(std::span<const std::string> arguments) {
  return !arguments.empty() && EqualNoCase(arguments.front(), "/T");
}

WindowModel::WindowModel(const std::filesystem::path& app_dir, const FolderSource& source,
                         bool file_dialog, WindowView& view)
    : view_(view),
      file_dialog_(file_dialog),
      folders_(BuildFolderSet(app_dir, source)),
      run_(folders_, airports_, *this) {
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
}

WindowModel::~WindowModel() = default;

const ControlState& WindowModel::StateOf(Control control) const {
  return state_[static_cast<std::size_t>(control)];
}

ControlState& WindowModel::Mutable(Control control) {
  return state_[static_cast<std::size_t>(control)];
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
  Mutable(Control::kRunwayBox).caption = text;
}

void WindowModel::PlanNumberChanged(int number) {
  ControlState& state = Mutable(Control::kPlanNumber);
  const int bounded = std::clamp(number, kPlanNumberMin, kPlanNumberMax);
  state.value = bounded;
  if (bounded != number)
    view_.Render(Control::kPlanNumber, state);
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
    case Key::kEnter:
      // In the runway box it ends the runway's entry that GO!!! asks for.
      if (focused == Control::kConversionButton || focused == Control::kRunwayBox) {
        Convert(at);
        return true;
      }
      // A push button that the keyboard reached without making it the
      // window's default one would otherwise ignore Enter: GO!!! has the
      // focus as the window opens.
      if (focused == Control::kGoButton) {
        GoClicked();
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

// ---- start-up ----------------------------------------------------------------

void WindowModel::WindowShown() {
  if (shown_)
    return;
  shown_ = true;
  RestoreStates();
  ApplySuper80Rule();
  ApplySelectionEnabledStates();
  view_.StartTimer(kStartUpDelay);
}

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

namespace {

// Marks a run or the start-up load as going on and, however it ends, as
// ended.
class BusyFlag {
 public:
  explicit BusyFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~BusyFlag() { flag_ = false; }
  BusyFlag(const BusyFlag&) = delete;
  BusyFlag& operator=(const BusyFlag&) = delete;

 private:
  bool& flag_;
};

}  // namespace

// A close that the user asked for during the load happens after it.
void WindowModel::TimerFired() {
  if (timer_fired_)
    return;
  timer_fired_ = true;
  {
    const BusyFlag loading(loading_);
    Load();
  }
  CloseIfPending();
  ConvertPendingDrop();
}

// Applies the restored selection, then loads the airport database with its
// progress in the panel. The conversion may start once the load has ended.
void WindowModel::Load() {
  ApplySelection();
  const AirportLoadResult result = LoadAirportDatabase(
      AirportDatabasePath(folders_.fs9_dir), airports_, [this](std::size_t count) {
        SetCaption(Control::kProgressPanel, fmt::format("Loading Routes ..... {}", count));
        view_.ProcessPendingEvents();
      });
  if (!result.loaded)
    view_.ShowMessage(result.message);
  // Hidden also after a read error: a panel still saying "Loading" would
  // claim a load that has ended.
  SetVisible(Control::kProgressPanel, false);
  start_up_ended_ = true;
  UpdateConversionButton();
  view_.StartUpEnded();
}

// ---- the conversion --------------------------------------------------------

bool WindowModel::ConversionAllowed() const {
  return start_up_ended_ && !running_;
}

void WindowModel::UpdateConversionButton() {
  SetEnabled(Control::kConversionButton, ConversionAllowed());
}

RunChoices WindowModel::Choices() const {
  RunChoices choices;
  for (const ControlInfo& info : Controls()) {
    if (info.target && StateOf(info.control).ticked)
      choices.ticked.insert(*info.target);
  }
  choices.super80 = StateOf(Control::kSuper80Box).ticked;
  choices.runway = StateOf(Control::kRunwayBox).caption;
  choices.plan_number = StateOf(Control::kPlanNumber).value;
  choices.simulator = applied_;
  choices.file_dialog = file_dialog_;
  return choices;
}

// The run lets the window repaint and take input, so a second press while it
// goes on is refused, and so is the second click of a double-click that
// arrives just after it ended.
bool WindowModel::RunRefused(std::chrono::milliseconds at) const {
  return !ConversionAllowed() || (run_ended_at_ && at - *run_ended_at_ < view_.DoubleClickTime());
}

void WindowModel::Convert(std::chrono::milliseconds at) {
  if (RunRefused(at))
    return;
  ConvertInput(view_.ClipboardText(), "");
}

// A drop is no click, so the double-click time does not refuse it; and as a
// dropped file gives no other sign that it was taken, one that comes while
// the load or a run goes on waits for its end.
void WindowModel::FilesDropped(std::span<const std::filesystem::path> files,
                               std::chrono::milliseconds /*at*/) {
  if (files.empty())
    return;
  pending_drop_.emplace(files.front(), files.size() - 1);
  ConvertPendingDrop();
}

void WindowModel::ConvertPendingDrop() {
  if (!pending_drop_ || !ConversionAllowed() || close_pending_)
    return;
  const auto [file, not_read] = std::move(*pending_drop_);
  pending_drop_.reset();
  ConvertFile(file, not_read);
}

void WindowModel::OpenFile(std::chrono::milliseconds at) {
  if (RunRefused(at))
    return;
  if (open_folder_.empty())
    open_folder_ = folders_.documents_dir;
  if (const std::optional<std::filesystem::path> file = view_.ChooseOpenFile(open_folder_)) {
    open_folder_ = file->parent_path();
    ConvertFile(*file, 0);
  }
}

void WindowModel::ConvertFile(const std::filesystem::path& file, std::size_t not_read) {
  const std::string name = PathToUtf8(file.filename());
  // One byte past the limit is enough to refuse an input as too large.
  FileRead read = ReadFileBytes(file, kInputSizeLimit + 1);
  if (read.Ok()) {
    ConvertInput(read.bytes, name);
  } else {
    const std::string message = PathToUtf8(file) + ": " + read.reason;
    SetCaption(Control::kStatusLine, message);
    view_.ShowMessage(message);
  }
  if (not_read > 0) {
    const std::string others = not_read == 1
                                   ? "1 other dropped file was not read"
                                   : fmt::format("{} other dropped files were not read", not_read);
    const std::string& status = StateOf(Control::kStatusLine).caption;
    SetCaption(Control::kStatusLine, status.empty() ? others : status + " (" + others + ")");
  }
}

// `name` names the file the input came from; empty for the clipboard.
void WindowModel::ConvertInput(std::string_view bytes, const std::string& name) {
  const std::string prefix = name.empty() ? "" : name + ": ";
  RunOutcome outcome;
  {
    const BusyFlag running(running_);
    UpdateConversionButton();
    progress_shown_ = false;
    SetVisible(Control::kRunwayPrompt, false);
    SetCaption(Control::kStatusLine, "");
    InputSource input;
    if (name.empty() && bytes.empty()) {
      // Nothing to convert: no run, and "route.txt" keeps the last route.
      SetCaption(Control::kStatusLine, std::string(kClipboardEmpty));
    } else if (input = MakeInputSource(bytes); input.source) {
      outcome = run_.Run(*input.source, Choices());
    } else {
      SetCaption(Control::kStatusLine, prefix + input.error);
      view_.ShowMessage(input.error);
    }
    if (progress_shown_)
      SetVisible(Control::kProgressPanel, false);
    view_.Render(Control::kGrid, StateOf(Control::kGrid));
    // A run that wrote nothing says why, and names the file it read.
    if (input.source && outcome.end == RunEnd::kCompleted && outcome.written.empty()) {
      if (outcome.last_failure == ParseResult::kNoDetails)
        SetCaption(Control::kStatusLine, prefix + std::string(kNoDetailsFound));
      else if (outcome.last_failure == ParseResult::kWrongFormat)
        SetCaption(Control::kStatusLine, prefix + std::string(kWrongFormat));
      else if (outcome.last_failure == ParseResult::kUnreadable)
        SetCaption(Control::kStatusLine, prefix + outcome.failure_message);
      else if (!name.empty())
        SetCaption(Control::kStatusLine, prefix + "read, nothing written");
    }
  }
  run_ended_at_ = view_.Now();
  UpdateConversionButton();
  view_.Focus(Control::kConversionButton);
  CloseIfPending();
  ConvertPendingDrop();
}

void WindowModel::RunDemo(std::chrono::milliseconds at) {
  for (const Control control : TickRowOrder()) {
    const ControlState& state = StateOf(control);
    if (IsTickBox(control) && state.visible && state.enabled)
      BoxTicked(control, true);
  }
  Mutable(Control::kPlanNumber).value = kDemoPlanNumber;
  view_.Render(Control::kPlanNumber, StateOf(Control::kPlanNumber));
  Convert(at);
}

// ---- closing -------------------------------------------------------------------

bool WindowModel::CloseRequested() {
  if (Busy()) {
    close_pending_ = true;
    return false;
  }
  SaveStates();
  return true;
}

void WindowModel::CloseIfPending() {
  if (!close_pending_ || Busy())
    return;
  close_pending_ = false;
  pending_drop_.reset();
  view_.CloseWindow();
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
  try {
    IniProfile(folders_.SettingsFile()).Write(kStateSection, entries);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "korvanta: the window's state is not kept: %s\n", e.what());
  }
}

// ---- what the run asks of the window --------------------------------------

void WindowModel::ShowMessage(const std::string& text) {
  view_.Render(Control::kGrid, StateOf(Control::kGrid));
  view_.ShowMessage(text);
  view_.ProcessPendingEvents();
}

// Each writer's dialog holds the name last confirmed in it; before the first
// confirmation, the run's automatic name of the file.
std::optional<std::filesystem::path> WindowModel::ChooseSaveFile(const SaveDialogRequest& request) {
  SaveDialogRequest asked = request;
  if (const auto last = last_saved_names_.find(request.title); last != last_saved_names_.end())
    asked.file_name = last->second;
  const std::optional<std::filesystem::path> chosen = view_.ChooseSaveFile(asked);
  if (!chosen || chosen->empty())
    return std::nullopt;
  last_saved_names_[request.title] = PathToUtf8(chosen->filename());
  return chosen;
}

void WindowModel::SetStatus(const std::string& text) {
  SetCaption(Control::kStatusLine, text);
}

void WindowModel::SetProgress(const std::string& text) {
  if (text.empty()) {
    SetVisible(Control::kProgressPanel, false);
    return;
  }
  SetCaption(Control::kProgressPanel, text);
  SetVisible(Control::kProgressPanel, true);
  progress_shown_ = true;
}

void WindowModel::ProcessPendingEvents() {
  view_.Render(Control::kGrid, StateOf(Control::kGrid));
  view_.ProcessPendingEvents();
}

void WindowModel::OpenDocument(const std::filesystem::path& file) {
  view_.OpenDocument(file);
}

}  // namespace korvanta
