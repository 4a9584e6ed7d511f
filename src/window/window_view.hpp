#pragma once

#include <array>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "run/front_end.hpp"
#include "window/controls.hpp"

namespace korvanta {

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
  // A value the user should look at again (the plan number that the ticked
  // Tu-154 store cannot hold), with the tooltip that says why; empty: none.
  bool marked = false;
  std::string tooltip;
};

using WindowState = std::array<ControlState, kControlCount>;

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
  // Puts the text on the clipboard as Unicode text; false when the
  // clipboard cannot be had.
  virtual bool PutClipboardText(const std::string& text) = 0;
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
  // Opens the file in the user's viewer for it; false when no viewer opened it.
  virtual bool OpenDocument(const std::filesystem::path& file) = 0;

  // The start-up has ended (the selection is applied, the airports loaded).
  virtual void StartUpEnded() {}
  // Closes the window, after the user asked for it while a run or the
  // start-up load went on (see WindowModel::CloseRequested). Queued: the
  // window closes once the model's call has returned.
  virtual void CloseWindow() = 0;
};

}  // namespace korvanta
