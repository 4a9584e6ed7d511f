#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "route/airports.hpp"
#include "route/tables.hpp"
#include "run/conversion_run.hpp"
#include "run/front_end.hpp"
#include "run/targets.hpp"
#include "settings/folder_set.hpp"
#include "settings/folder_source.hpp"

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

// The Alt+letter of a caption (see WithoutMnemonic), upper case; '\0' when
// the caption has none.
char MnemonicOf(std::string_view caption);

// The keys the window gives the model beyond what its widgets do themselves.
enum class Key {
  kEnter,  // Return or the keypad's Enter
  kF5,     // runs the conversion from anywhere in the window
};

// The grid's columns: the waypoint table's fields.
inline constexpr std::size_t kGridColumns = std::size(WaypointTable::kFieldNames);
// The text a grid cell shows (UTF-8).
std::string GridCellText(const Waypoint& row, std::size_t column);

// The section of the settings file that keeps the control states and the
// window's placement.
inline constexpr std::string_view kStateSection = "TForm1";

// What the model keeps for one control.
struct ControlState {
  bool ticked = false;
  bool enabled = true;
  bool visible = true;
  // The caption; the runway box's text; the status line's whole text (the
  // view elides it in the middle to its width and shows it whole as its
  // tooltip); the progress panel's text.
  std::string caption;
  // The plan number; the selected item of the simulator selection.
  int value = 0;
};

using WindowState = std::array<ControlState, kControlCount>;

// The plan number's range and design value.
inline constexpr int kPlanNumberMin = 1;
inline constexpr int kPlanNumberMax = 99999;
inline constexpr int kPlanNumberDefault = 661;
// The delay of the one-shot start-up timer.
inline constexpr std::chrono::milliseconds kStartUpDelay{200};
// The demo's plan number: the KLN 90B store keeps 25 plans (the design
// number, 661, is the Super 80's).
inline constexpr int kDemoPlanNumber = 7;

// A placement written by the window before it kept the toolkit's own form:
// the keys "Left", "Top", "Width", "Height", "Maximized" of section "TForm1".
struct OldPlacement {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool maximized = false;
};

// What the model needs from a toolkit's window. The view draws and asks the
// user; it decides nothing. Texts are UTF-8; timestamps come from one
// monotonic clock of the view (Now), in milliseconds.
class WindowView {
 public:
  virtual ~WindowView() = default;

  // Draws one control's changed state (Control::kGrid: the grid, from
  // WindowModel::Waypoints()).
  virtual void Render(Control control, const ControlState& state) = 0;
  // Moves the keyboard focus to the control.
  virtual void Focus(Control control) = 0;
  // Starts the one-shot timer; when it fires the view calls TimerFired().
  virtual void StartTimer(std::chrono::milliseconds delay) = 0;
  // Lets the window repaint and process the user's pending input.
  virtual void ProcessPendingEvents() = 0;
  virtual std::chrono::milliseconds Now() const = 0;
  // The system's double-click time.
  virtual std::chrono::milliseconds DoubleClickTime() const = 0;
  // The clipboard's text (empty when it holds none).
  virtual std::string ClipboardText() = 0;
  // The file dialog for choosing a route text or flight plan to convert,
  // opening in `folder`; nullopt when the user cancels.
  virtual std::optional<std::filesystem::path> ChooseOpenFile(
      const std::filesystem::path& folder) = 0;

  // The window's placement in the toolkit's own form, as one line of
  // printable ASCII kept under PlacementKey() in section "TForm1". Restoring
  // brings a window whose saved place is off every screen back onto the
  // nearest one; an empty `saved` falls back to `old` where given.
  virtual std::string_view PlacementKey() const = 0;
  virtual std::string SavePlacement() = 0;
  virtual void RestorePlacement(const std::string& saved,
                                const std::optional<OldPlacement>& old) = 0;

  // A modal message with the error icon and one OK button.
  virtual void ShowMessage(const std::string& text) = 0;
  // The "/T" save dialog; nullopt when the user cancels.
  virtual std::optional<std::filesystem::path> ChooseSaveFile(const SaveDialogRequest& request) = 0;
  // Opens the file in the user's viewer for it.
  virtual void OpenDocument(const std::filesystem::path& file) = 0;

  // The start-up has ended (the selection is applied, the airports loaded).
  virtual void StartUpEnded() {}
  // Closes the window, after the user asked for it while a run or the
  // start-up load went on (see WindowModel::CloseRequested). Queued: the
  // window closes once the model's call has returned.
  virtual void CloseWindow() = 0;
};

// Whether the program was started with "/T" as its first argument (any
// letter case): the writers that offer it then ask for their file.
bool FileDialogRequested(std::span<const std::string> arguments);

// The window's behaviour without a toolkit: every control's state, the
// simulator selection, the show/hide rules, the persisted states, the
// start-up order and the conversion run with its guard. A view forwards the
// user's actions here and draws what the model renders.
class WindowModel : private FrontEnd {
 public:
  // Builds the folder set from `app_dir` and `source`. `view` must outlive
  // the model.
  WindowModel(const std::filesystem::path& app_dir, const FolderSource& source, bool file_dialog,
              WindowView& view);
  ~WindowModel() override;
  WindowModel(const WindowModel&) = delete;
  WindowModel& operator=(const WindowModel&) = delete;

  // ---- the user's actions, forwarded by the view
  // A tick box changed (by the user or by the view's widget).
  void BoxTicked(Control box, bool ticked);
  // An item of the simulator selection became selected.
  void SimulatorSelected(Simulator simulator);
  void RunwayEdited(const std::string& text);
  void PlanNumberChanged(int number);
  // The GO!!! button.
  void GoClicked();
  // A key pressed while `focused` (none: no control) has the focus; true when the key did
  // something. Enter ticks or unticks a focused tick box as Space does,
  // starts the run on the conversion button and in the runway box, and
  // presses GO!!! on GO!!!; F5 starts the run from anywhere.
  bool KeyPressed(Key key, std::optional<Control> focused, std::chrono::milliseconds at);
  // The conversion button (click, Space or Enter); `at` on the view's clock.
  // Refused while a run or the start-up load is going on, and within the
  // double-click time after a run ended.
  void Convert(std::chrono::milliseconds at);
  // Files dropped onto the window: the first is read and converted like the
  // clipboard's route; the status line says that the others were not read.
  // A drop during the start-up load or a run is converted when that has
  // ended (the latest drop, when there were several), unless the window
  // closes then.
  void FilesDropped(std::span<const std::filesystem::path> files, std::chrono::milliseconds at);
  // Ctrl+O: the file the user chooses in the view's dialog, converted so.
  void OpenFile(std::chrono::milliseconds at);
  // The window is shown for the first time: restores the kept states (the
  // show/hide rules run for each restored tick), the placement and the
  // Super 80 rule, then starts the start-up timer. Later calls do nothing.
  void WindowShown();
  // The start-up timer: applies the selection, then loads the airports.
  void TimerFired();
  // The user closes the window. While a run or the start-up load goes on,
  // the window stays open: false, and once that has ended the model asks the
  // view to close it. Otherwise true, with the control states and the
  // placement kept.
  bool CloseRequested();
  // The unattended demo of the screenshot script, after the start-up: every
  // shown and enabled tick box ticked in the rows' order (a box that a tick
  // shows is ticked too), the demo's plan number, and a run on the
  // clipboard's route.
  void RunDemo(std::chrono::milliseconds at);

  // ---- what the view draws
  const WindowState& State() const { return state_; }
  const ControlState& StateOf(Control control) const;
  // The grid's rows: the waypoint table as the run's last parse left it.
  const WaypointTable& Waypoints() const { return run_.Waypoints(); }
  const FolderSet& Folders() const { return folders_; }
  // Whether the conversion button may start a run now.
  bool ConversionAllowed() const;
  bool Running() const { return running_; }
  // Whether a run or the start-up load is going on.
  bool Busy() const { return running_ || loading_; }
  bool StartUpEnded() const { return start_up_ended_; }
  // The simulator the selection last applied (not the item merely restored).
  Simulator AppliedSimulator() const { return applied_; }

 private:
  // FrontEnd: what the run asks of the window.
  void ShowMessage(const std::string& text) override;
  std::optional<std::filesystem::path> ChooseSaveFile(const SaveDialogRequest& request) override;
  void SetStatus(const std::string& text) override;
  void SetProgress(const std::string& text) override;
  void ProcessPendingEvents() override;
  void OpenDocument(const std::filesystem::path& file) override;

  ControlState& Mutable(Control control);
  void SetTicked(Control box, bool ticked);
  void SetVisible(Control control, bool visible);
  void SetEnabled(Control control, bool enabled);
  void SetCaption(Control control, std::string caption);
  void BoxChanged(Control box);
  void ApplySelection();
  void ApplySelectionEnabledStates();
  void UpdateConversionButton();
  void RestoreStates();
  void ApplySuper80Rule();
  void SaveStates();
  void CloseIfPending();
  void Load();
  RunChoices Choices() const;
  bool RunRefused(std::chrono::milliseconds at) const;
  void ConvertFile(const std::filesystem::path& file, std::size_t not_read);
  void ConvertPendingDrop();
  void ConvertInput(std::string_view bytes, const std::string& name);

  WindowView& view_;
  const bool file_dialog_;
  // Where the file dialog opens: the documents folder, where simulators and
  // planners keep their plans, then the folder of the file last opened.
  std::filesystem::path open_folder_;
  const FolderSet folders_;
  AirportDatabase airports_;
  ConversionRun run_;
  WindowState state_;
  Simulator applied_ = Simulator::kFs9;
  bool shown_ = false;
  bool timer_fired_ = false;
  bool start_up_ended_ = false;
  bool running_ = false;
  bool loading_ = false;
  bool close_pending_ = false;
  bool progress_shown_ = false;
  std::optional<std::chrono::milliseconds> run_ended_at_;
  // A file dropped while the conversion was not allowed, with the number of
  // other files dropped with it.
  std::optional<std::pair<std::filesystem::path, std::size_t>> pending_drop_;
  std::map<std::string, std::string> last_saved_names_;  // per dialog title
};

}  // namespace korvanta
