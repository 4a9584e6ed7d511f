// The window's Folders button and shortcut, which open the Folders dialog.

#include <QShortcut>
#include <QToolButton>

#include "gui/folders_dialog.hpp"
#include "gui/main_window.hpp"
#include "ui_main_window.h"

namespace korvanta::gui {

// At the right end of the last tick row, below the simulator selection (the
// rows above hold the window's design width already). Every
// letter of "Folders" is some other control's Alt+letter already, so
// the button has Ctrl+Comma, the usual key of a program's settings. Tab
// reaches it after the simulator items.
void MainWindow::AddFoldersButton() {
  // A tool button: as narrow as its caption, so that the row keeps the
  // window's design width.
  auto* button = new QToolButton(this);
  button->setText(QStringLiteral("Folders…"));
  button->setFocusPolicy(Qt::StrongFocus);
  button->setObjectName(QStringLiteral("foldersButton"));
  button->setToolTip(QStringLiteral("Where the simulators and plans are (Ctrl+,)"));
  ui_->TickRow3->addWidget(button);
  setTabOrder(ui_->xPlaneItem, button);
  connect(button, &QToolButton::clicked, this, &MainWindow::OpenFoldersDialog);
  auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma), this);
  shortcut->setObjectName(QStringLiteral("foldersShortcut"));
  connect(shortcut, &QShortcut::activated, this, &MainWindow::OpenFoldersDialog);
}

// Window-modal and not waiting: the window's own events go on (the start-up
// timer, a load's progress), while its controls wait for the dialog.
void MainWindow::OpenFoldersDialog() {
  std::optional<FoldersDialogModel> lines = model_->FoldersDialog();
  if (!lines)
    return;
  auto* dialog = new FoldersDialog(
      std::move(*lines), dialogs_,
      [this](const FoldersDialogModel& changed) { return model_->FoldersConfirmed(changed); },
      this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->open();
}

}  // namespace korvanta::gui
