#pragma once

#include <windows.h>
// After windows.h: HDROP, the files dropped onto the window, and the
// conversion button's image list.
#include <commctrl.h>
#include <shellapi.h>

#include <array>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/folder_source.hpp"
#include "win32/dialog_items.hpp"
#include "win32/map_view.hpp"
#include "window/window_model.hpp"

namespace korvanta::win32 {

class UserDialogs;

// The program's window on Windows: a dialog drawn from the resource template
// IDD_MAIN_WINDOW, a thin view over WindowModel. It draws the model's
// control states and forwards the user's clicks, ticks and edits; the model
// decides what they do.
class MainWindow final : public WindowView {
 public:
  // A monotonic clock in milliseconds: when the user's actions happen, for
  // the model's double-click guard.
  using Clock = std::function<std::chrono::milliseconds()>;

  // `app_dir` holds the settings file and the run's working files; `source`
  // gives the documents and simulator folders; message boxes, the save
  // dialog and the document viewer go through `dialogs`, which must outlive
  // the window. Without a `clock` the window uses the system's tick count.
  // The window is created hidden; Show() shows it.
  MainWindow(HINSTANCE instance, const std::filesystem::path& app_dir, const FolderSource& source,
             bool file_dialog, UserDialogs& dialogs, Clock clock = {});
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  HWND Handle() const { return window_; }
  bool IsOpen() const { return window_ != nullptr; }
  const WindowModel& Model() const { return *model_; }
  MapView& Map() { return *map_; }

  // Shows the window; the first time, the model restores the kept states and
  // the placement and starts the start-up timer.
  void Show(int show_command);
  // Closing the window ends the message loop of the program (PostQuitMessage).
  void EndProgramOnClose() { ends_program_ = true; }
  // Called once when the start-up (selection applied, airports loaded) ends.
  void OnStartUpEnded(std::function<void()> action) { start_up_ended_ = std::move(action); }

  // The dialog's message handling for one message of the program's loop
  // (keyboard navigation: Tab, arrows, Space, Enter).
  bool TranslateDialogMessage(MSG& message);

  // WindowView
  void Render(Control control, const ControlState& state) override;
  void Focus(Control control) override;
  void StartTimer(std::chrono::milliseconds delay) override;
  void ProcessPendingEvents() override;
  std::chrono::milliseconds Now() const override;
  std::chrono::milliseconds DoubleClickTime() const override;
  std::string ClipboardText() override;
  bool PutClipboardText(const std::string& text) override;
  std::optional<std::filesystem::path> ChooseOpenFile(const std::filesystem::path& folder) override;
  std::string_view PlacementKey() const override;
  std::string SavePlacement() override;
  void RestorePlacement(const std::string& saved, const std::optional<OldPlacement>& old) override;
  void ShowMessage(const std::string& text) override;
  std::optional<std::filesystem::path> ChooseSaveFile(const SaveDialogRequest& request) override;
  bool OpenDocument(const std::filesystem::path& file) override;
  void StartUpEnded() override;
  void CloseWindow() override;

  // The model's demo run on the clipboard's route (the screenshot script).
  void RunDemo();

 private:
  static constexpr UINT_PTR kStartUpTimer = 1;
  // The tooltip of a long status line wraps at this width.
  static constexpr int kTooltipWidth = 600;

  static INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void Initialize(HWND window);
  void CreateTargetBoxes();
  void FilesDropped(HDROP drop);
  bool OpenShortcut(const MSG& message);
  // The Folders button after the simulator items in the tab order, Ctrl+Comma
  // and the dialog they open.
  void SetUpFoldersButton();
  bool FoldersShortcut(const MSG& message);
  void OpenFoldersDialog();
  void Command(int id, int code);
  void Close();
  void Destroyed();
  void Layout();
  void PlaceRouteStringRow(const RECT& client);
  SIZE LeastFrameSize() const;
  void LoadIcons();
  void RenderGrid();
  // Each column as wide as its title or its widest text.
  std::array<int, kGridColumns> ColumnWidths() const;
  void FitColumns(const std::array<int, kGridColumns>& widths);
  // The grid as wide as its columns, the map beside it in the rest.
  void PlaceGridAndMap(const RECT& client, const std::array<int, kGridColumns>& columns);
  // The route row of a clicked mark, selected in the grid.
  void SelectGridRow(std::size_t row);
  void GridSelectionChanged();
  INT_PTR ColourEdit(HDC dc, HWND edit);
  INT_PTR Notified(const NMHDR& header);
  void SetStatusTooltip(const std::wstring& text);
  void SetTooltip(int item, std::wstring& kept, const std::wstring& text);
  HWND Item(int id) const { return GetDlgItem(window_, id); }

  HINSTANCE instance_;
  UserDialogs& dialogs_;
  Clock clock_;
  std::unique_ptr<WindowModel> model_;
  HWND window_ = nullptr;
  std::unique_ptr<MapView> map_;
  HWND tooltip_ = nullptr;
  HIMAGELIST button_images_ = nullptr;  // the conversion button's pictures, one per state
  HICON big_icon_ = nullptr;
  HICON small_icon_ = nullptr;
  // The background of a marked box; made at its first use, deleted with the window.
  HBRUSH marked_brush_ = nullptr;
  std::wstring status_tip_;       // the tooltip's text; the tooltip points at it
  std::wstring plan_number_tip_;  // the same for the plan number
  // The grid's rows as last drawn, one text per column.
  std::vector<std::array<std::wstring, kGridColumns>> grid_rows_;
  int rendering_ = 0;  // > 0 while the view sets a widget: its notifications are not the user's
  bool shown_ = false;
  bool maximize_on_show_ = false;
  bool ends_program_ = false;
  std::function<void()> start_up_ended_;
};

}  // namespace korvanta::win32
