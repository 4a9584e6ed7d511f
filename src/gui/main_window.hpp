#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "settings/folder_set.hpp"
#include "settings/folder_source.hpp"
#include "window/window_model.hpp"

class QButtonGroup;
class QTimer;

namespace Ui {
class MainWindow;
}

namespace korvanta::gui {

class WaypointGridModel;
class UserDialogs;

// Whether the program was started with "/T" (the first argument, any letter
// case). `arguments` are the command-line arguments without the program name.
bool FileDialogRequested(const QStringList& arguments);

// The program's one window, drawn with Qt Widgets: a view over the window
// model. It draws the model's states and forwards the user's actions; the
// model decides what they do.
class MainWindow : public QWidget, private WindowView {
  Q_OBJECT

 public:
  // A monotonic clock in milliseconds: when the user's actions happen, for
  // the model's double-click guard.
  using Clock = std::function<std::chrono::milliseconds()>;

  // `app_dir` holds the settings file, the state store and the run's working
  // files; `source` gives the documents and simulator folders. Message boxes,
  // the save dialog and the document viewer go through `dialogs`, which must
  // outlive the window. Without a `clock` the window uses its own.
  MainWindow(const std::filesystem::path& app_dir, const FolderSource& source,
             const QStringList& arguments, UserDialogs& dialogs, Clock clock = {},
             QWidget* parent = nullptr);
  ~MainWindow() override;

  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  const FolderSet& Folders() const { return model_->Folders(); }
  const WindowModel& Model() const { return *model_; }

 signals:
  // The start-up timer has applied the selection and loaded the airports.
  void StartUpDone();

 public slots:
  // The conversion button's press, as a click, Space or Enter gives it.
  void Convert();
  // The model's demo run on the clipboard's route (the screenshot script).
  void RunDemo();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // WindowView: what the model asks of the window.
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

  void CreateTargetBoxes();
  // The "Folders…" button beside the simulator selection, and Ctrl+Comma.
  void AddFoldersButton();
  void OpenFoldersDialog();
  void AcceptFileInput();
  QWidget* Widget(Control control) const { return widgets_[static_cast<std::size_t>(control)]; }
  // The control the widget draws, if it draws one.
  std::optional<Control> ControlOf(const QObject* widget) const;
  void ShowStatusElided();
  void PlaceProgressPanel();
  void BringOntoNearestScreen();
  void FitGridColumns();
  void ShowRouteMap();
  void ShowGridFocusFrame();

  std::unique_ptr<Ui::MainWindow> ui_;
  UserDialogs& dialogs_;
  std::array<QWidget*, kControlCount> widgets_{};
  QButtonGroup* simulator_items_ = nullptr;
  QTimer* timer_ = nullptr;
  WaypointGridModel* grid_model_ = nullptr;
  QWidget* grid_focus_frame_ = nullptr;
  Clock clock_;
  QString status_;  // the status line's whole text
  std::unique_ptr<WindowModel> model_;
};

}  // namespace korvanta::gui
