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

#include "map/map_builder.hpp"
#include "map/map_picture.hpp"
#include "navdata/navigation_source.hpp"
#include "route/airports.hpp"
#include "route/tables.hpp"
#include "run/conversion_run.hpp"
#include "run/front_end.hpp"
#include "run/targets.hpp"
#include "settings/folder_set.hpp"
#include "settings/folder_source.hpp"
#include "window/controls.hpp"
#include "window/folders_dialog_model.hpp"
#include "window/grid_cells.hpp"
#include "window/window_view.hpp"

namespace korvanta {

// The keys the window gives the model beyond what its widgets do themselves.
enum class Key {
  kEnter,         // Return or the keypad's Enter
  kF5,            // runs the conversion from anywhere in the window
  kNextItem,      // Down or Right: the next simulator item
  kPreviousItem,  // Up or Left: the previous simulator item
};

// The section of the settings file that keeps the control states and the
// window's placement.
inline constexpr std::string_view kStateSection = "TForm1";

// The plan number's range and design value.
inline constexpr int kPlanNumberMin = 1;
inline constexpr int kPlanNumberMax = 99999;
inline constexpr int kPlanNumberDefault = 1;

// The first start without the airport list: the box (with the list's path)
// and the note the status line keeps until the list is found.
inline constexpr std::string_view kNoAirportList =
    "No airport list at {}. Plans will show airport elevation 0. Install your FMC's navigation "
    "data there, or choose its folder under Folders.";
inline constexpr std::string_view kNoAirportListNote = "No airport list: airport elevation 0";

// What the status line says after the Copy button.
inline constexpr std::string_view kRouteStringCopied = "Route string copied to the clipboard";
inline constexpr std::string_view kRouteStringNotCopied =
    "The clipboard could not be had: the route string is not copied";

// The delay of the one-shot start-up timer.
inline constexpr std::chrono::milliseconds kStartUpDelay{200};

// The demo's plan number: one that the KLN 90B store, which keeps 25 plans,
// holds too.
inline constexpr int kDemoPlanNumber = 7;

// Where the window's runs find the navigation data: the FMC data folder (where
// the airport list is), else the X-Plane installation.
NavigationSource NavigationOf(const FolderSet& folders);

// Whether the program was started with "/T" as its first argument (any
// letter case): the writers that offer it then ask for their file.
bool FileDialogRequested(std::span<const std::string> arguments);

// The window's behaviour without a toolkit: every control's state, the
// simulator selection, the show/hide rules, the persisted states, the
// start-up order and the conversion run with its guard. A view forwards the
// user's actions here and draws what the model renders.
class WindowModel : private FrontEnd {
 public:
  // Builds the folder set from `app_dir` and `source`. `source` and `view`
  // must outlive the model: the Folders dialog builds the set again.
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
  // presses GO!!! on GO!!! and Copy on Copy; F5 starts the run from anywhere. The arrows on
  // the simulator selection select the next or previous item, wrapping
  // round at the ends, and move the focus to it, as radio buttons do.
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
  // The Copy button: puts the route string the line shows on the clipboard,
  // and says on the status line whether it is there.
  void CopyClicked();

  // ---- the Folders dialog
  // Its lines under the applied selection; none while a run or the start-up
  // load goes on, whose folders must not change under them.
  std::optional<FoldersDialogModel> FoldersDialog() const;
  // OK in the Folders dialog: saves its changes, builds the folder set again
  // so that the next run and the dialog agree, and loads the airport list
  // again when its file changed. False, with the message shown, when the
  // settings file could not be written or a run or load goes on: the dialog
  // then stays open.
  bool FoldersConfirmed(const FoldersDialogModel& dialog);

  // ---- what the view draws
  const WindowState& State() const { return state_; }
  const ControlState& StateOf(Control control) const;
  // The grid's rows: the waypoint table as the run's last parse left it.
  const WaypointTable& Waypoints() const { return run_.Waypoints(); }
  // The map of the route the grid shows, drawn at `size`; the land is
  // decoded at the first call and kept.
  MapPicture RouteMap(const MapSize& size) const;
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
  // Draws the grid, and the route string of the route it shows beside it.
  void RenderGrid();
  void SetTicked(Control box, bool ticked);
  void SetVisible(Control control, bool visible);
  void SetEnabled(Control control, bool enabled);
  void SetCaption(Control control, std::string caption);
  // The status line's text, followed by the note of a missing airport list.
  void ShowStatus(std::string text);
  void UpdatePlanNumberMark();
  // Puts the runway a route names into the runway box, unless the user
  // typed one over what the same runway put there before.
  void ShowRouteRunway(const std::optional<std::string>& runway);
  void ShowRunEnd(const RunOutcome& outcome, const RunChoices& choices, bool kept_route_text,
                  const std::string& prefix);
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
  void ReloadAirports();
  // The map's land, decoded when the map is first drawn.
  mutable std::optional<MapLand> map_land_;
  // Loads the list the folder set names; says what a missing one means.
  void LoadAirportList();

  WindowView& view_;
  const bool file_dialog_;
  // Where the file dialog opens: the documents folder, where simulators and
  // planners keep their plans, then the folder of the file last opened.
  std::filesystem::path open_folder_;
  const FolderSource& source_;
  // Built again only by the Folders dialog's OK, never during a run.
  FolderSet folders_;
  // The fixes, navaids and airways of the folder set's data, loaded by the
  // first run that needs them and kept while the folders stay.
  NavigationSource navigation_;
  AirportDatabase airports_;
  ConversionRun run_;
  WindowState state_;
  Simulator applied_ = Simulator::kFs9;
  bool shown_ = false;
  bool timer_fired_ = false;
  bool start_up_ended_ = false;
  bool running_ = false;
  bool loading_ = false;
  bool reloading_airports_ = false;  // after the Folders dialog: no run until loaded
  bool close_pending_ = false;
  bool progress_shown_ = false;
  bool airport_list_missing_ = false;
  // The status line's text without the note of a missing airport list.
  std::string status_;
  // The runway the last route that named one put into the runway box, and
  // whether the user has typed in the box since.
  std::optional<std::string> route_runway_;
  bool runway_typed_ = false;
  // A document of the run that no viewer opened.
  std::optional<std::filesystem::path> unopened_document_;
  std::optional<std::chrono::milliseconds> run_ended_at_;
  // A file dropped while the conversion was not allowed, with the number of
  // other files dropped with it.
  std::optional<std::pair<std::filesystem::path, std::size_t>> pending_drop_;
  std::map<std::string, std::string> last_saved_names_;  // per dialog title
};

}  // namespace korvanta
