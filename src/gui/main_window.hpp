#pragma once

#include <QStringList>
#include <QWidget>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/conversion_run.hpp"
#include "app/folder_set.hpp"
#include "app/folder_source.hpp"
#include "app/front_end.hpp"
#include "app/targets.hpp"
#include "route/airports.hpp"

class QButtonGroup;
class QCheckBox;
class QTimer;

namespace Ui {
class TForm1;
}

namespace korvanta::gui {

class RmModel;
class UserDialogs;

// The section of the settings file that keeps the window's control states.
inline constexpr std::string_view kStateSection = "TForm1";

// Whether the program was started with "/T" (the first argument, any letter
// case): the writers that offer it then ask for their file with a save dialog.
// `arguments` are the command-line arguments without the program name.
bool FileDialogRequested(const QStringList& arguments);

// The program's one window: the runway box, the conversion button, one tick
// box per target, the simulator selection, the status line and the grid of
// Rm. A front end over ConversionRun; the conversion itself lives in the core.
class TForm1 : public QWidget, public FrontEnd {
  Q_OBJECT

 public:
  // `app_dir` holds the settings file, the state store and the run's working
  // files; `source` gives the documents and simulator folders. Message boxes,
  // the save dialog and the document viewer go through `dialogs`, which must
  // outlive the window.
  TForm1(const std::filesystem::path& app_dir, const FolderSource& source,
         const QStringList& arguments, UserDialogs& dialogs, QWidget* parent = nullptr);
  ~TForm1() override;

  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  const FolderSet& Folders() const { return folders_; }

  // FrontEnd: what a conversion run needs from the window.
  void ShowMessage(const std::string& text) override;
  std::optional<std::filesystem::path> ChooseSaveFile(const SaveDialogRequest& request) override;
  void SetStatus(const std::string& text) override;
  void SetProgress(const std::string& text) override;
  void ProcessPendingEvents() override;
  void OpenDocument(const std::filesystem::path& file) override;

 signals:
  // The start-up timer has applied the selection and loaded the airports.
  void StartUpDone();

 public slots:
  void SpeedButton1Click();
  void Button1Click();
  void RadioGroup1Click();
  void ShowPlanNumber(bool shown);
  void CheckBox1Click(bool checked);
  void Tu154Click(bool checked);
  void CheckBox4Click(bool checked);
  void Timer1Timer();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void RestoreStates();
  void FormStorage1RestorePlacement();
  void FormShow();
  void SaveStates();
  RunChoices CurrentChoices() const;
  QCheckBox* Box(std::string_view control) const;

  std::unique_ptr<Ui::TForm1> ui_;
  UserDialogs& dialogs_;
  const bool file_dialog_;
  const FolderSet folders_;
  AirportDatabase airports_;
  ConversionRun run_;
  RmModel* model_ = nullptr;
  QButtonGroup* radio_group_ = nullptr;
  QTimer* timer_ = nullptr;
  Simulator selection_ = Simulator::kFs9;  // as RadioGroup1Click last applied it
  QString last_save_path_;                 // the path last confirmed in the save dialog
  bool running_ = false;
  bool progress_shown_ = false;
  bool shown_ = false;
};

}  // namespace korvanta::gui
