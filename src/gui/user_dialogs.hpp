#pragma once

#include <QString>

#include <optional>

class QFileDialog;
class QWidget;

namespace korvanta::gui {

// What the "/T" save dialog is asked to show.
struct SaveFileRequest {
  QString folder;          // the folder it opens in: the running writer's folder
  QString file_name;       // the file name it holds: the one last confirmed in it, or empty
  QString filter;          // the writer's own: "Route file (*.rte)"
  QString default_suffix;  // the writer's own: "rte"
  QString title;           // names the target: "Save the PMDG route"
};

// Everything of the window that waits for the user or hands work to another
// program: modal message boxes, the save dialog, opening a document in its
// viewer. The window takes one of these, so that tests can answer without
// anything blocking.
class UserDialogs {
 public:
  virtual ~UserDialogs() = default;

  // A modal message with the error icon and one OK button.
  virtual void ShowError(QWidget* parent, const QString& text) = 0;
  // The confirmed path, or nullopt when the user cancels.
  virtual std::optional<QString> ChooseSaveFile(QWidget* parent,
                                                const SaveFileRequest& request) = 0;
  // A folder for the Folders dialog, chosen from `folder` on; or nullopt when
  // the user cancels.
  virtual std::optional<QString> ChooseFolder(QWidget* parent, const QString& title,
                                              const QString& folder) = 0;
  // The route text or flight plan to convert, chosen from `folder` on; or
  // nullopt when the user cancels.
  virtual std::optional<QString> ChooseOpenFile(QWidget* parent, const QString& folder) = 0;
  // Opens the file in the desktop's default application for it; false
  // when none opened it.
  virtual bool OpenDocument(const QString& file) = 0;
};

// The desktop's own message box, file dialog and viewer.
class DesktopDialogs : public UserDialogs {
 public:
  void ShowError(QWidget* parent, const QString& text) override;
  std::optional<QString> ChooseSaveFile(QWidget* parent, const SaveFileRequest& request) override;
  std::optional<QString> ChooseFolder(QWidget* parent, const QString& title,
                                      const QString& folder) override;
  std::optional<QString> ChooseOpenFile(QWidget* parent, const QString& folder) override;
  bool OpenDocument(const QString& file) override;
};

// For unattended runs (the screenshot demo): messages go to standard error,
// the save dialog is always cancelled and no viewer is started.
class ConsoleDialogs : public UserDialogs {
 public:
  void ShowError(QWidget* parent, const QString& text) override;
  std::optional<QString> ChooseSaveFile(QWidget* parent, const SaveFileRequest& request) override;
  std::optional<QString> ChooseFolder(QWidget* parent, const QString& title,
                                      const QString& folder) override;
  std::optional<QString> ChooseOpenFile(QWidget* parent, const QString& folder) override;
  bool OpenDocument(const QString& file) override;
};

// Sets up a save dialog as the request asks (accept mode, folder, file name,
// filter, default suffix); shared by DesktopDialogs and its test.
void ConfigureSaveDialog(QFileDialog& dialog, const SaveFileRequest& request);

}  // namespace korvanta::gui
