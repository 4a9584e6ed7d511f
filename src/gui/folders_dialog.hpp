#pragma once

#include <QDialog>

#include <cstddef>
#include <functional>
#include <vector>

#include "window/folders_dialog_model.hpp"

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvanta::gui {

class UserDialogs;

// The Folders dialog, drawn from the dialog model's lines: per folder setting
// its caption (with its Alt+letter, which moves to the folder), the folder in
// use, where it came from, Browse… and Reset to automatic; OK and Cancel.
class FoldersDialog : public QDialog {
  Q_OBJECT

 public:
  // OK asks `confirm`, which saves the dialog's changes; the dialog closes
  // only when it succeeds. `dialogs` asks for the folders and must outlive
  // the dialog.
  using Confirm = std::function<bool(const FoldersDialogModel&)>;
  FoldersDialog(FoldersDialogModel model, UserDialogs& dialogs, Confirm confirm,
                QWidget* parent = nullptr);

  void accept() override;

 private:
  struct LineWidgets {
    QLineEdit* folder = nullptr;
    QLabel* origin = nullptr;
    QPushButton* reset = nullptr;
  };

  void Browse(std::size_t line);
  void Reset(std::size_t line);
  void ShowLine(std::size_t line);

  FoldersDialogModel model_;
  UserDialogs& dialogs_;
  Confirm confirm_;
  std::vector<LineWidgets> lines_;
};

}  // namespace korvanta::gui
