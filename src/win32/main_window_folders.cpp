// The window's Folders button and shortcut, which open the Folders dialog.

#include "win32/folders_dialog.hpp"
#include "win32/main_window.hpp"
#include "win32/resource_ids.h"

namespace korvanta::win32 {

// The targets' boxes go in after the simulator items; the button comes
// before them, right after the items.
void MainWindow::SetUpFoldersButton() {
  const HWND button = Item(IDC_FOLDERS);
  SetWindowTextW(button, L"Folders\u2026");
  SetWindowPos(button, Item(IDC_SIMULATOR_XPLANE), 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Ctrl+Comma anywhere in the window, as Ctrl+O is handled.
bool MainWindow::FoldersShortcut(const MSG& message) {
  if (window_ == nullptr || message.message != WM_KEYDOWN || message.wParam != VK_OEM_COMMA ||
      (GetKeyState(VK_CONTROL) & 0x8000) == 0 || (GetKeyState(VK_MENU) & 0x8000) != 0 ||
      (message.hwnd != window_ && !IsChild(window_, message.hwnd)))
    return false;
  OpenFoldersDialog();
  return true;
}

void MainWindow::OpenFoldersDialog() {
  std::optional<FoldersDialogModel> lines = model_->FoldersDialog();
  if (!lines)
    return;
  ShowFoldersDialog(
      instance_, window_, std::move(*lines), dialogs_,
      [this](const FoldersDialogModel& changed) { return model_->FoldersConfirmed(changed); });
}

}  // namespace korvanta::win32
