// The window's messages and keys: what the user does, forwarded to the model.

#include "win32/main_window.hpp"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <string>
#include <vector>

#include "io/wide_text.hpp"
#include "win32/child_windows.hpp"
#include "win32/dialog_items.hpp"
#include "win32/dpi.hpp"
#include "win32/resource_ids.h"

namespace korvanta::win32 {

INT_PTR MainWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      Command(LOWORD(wparam), HIWORD(wparam));
      return TRUE;
    case WM_TIMER:
      if (wparam == kStartUpTimer) {
        KillTimer(window_, kStartUpTimer);
        model_->TimerFired();
        return TRUE;
      }
      return FALSE;
    case WM_SIZE:
      Layout();
      return TRUE;
    case WM_ERASEBKGND:
      // The map paints all of its place from its buffer: the dialog's face
      // painted under it first would flash while the window is resized. The
      // dialog's own handling erases the rest.
      if (map_ != nullptr) {
        const RECT map = PlaceInParent(window_, map_->Handle());
        ExcludeClipRect(reinterpret_cast<HDC>(wparam), map.left, map.top, map.right, map.bottom);
      }
      return FALSE;
    case WM_GETMINMAXINFO: {
      const SIZE least = LeastFrameSize();
      auto* limits = reinterpret_cast<MINMAXINFO*>(lparam);
      limits->ptMinTrackSize = POINT{least.cx, least.cy};
      return TRUE;
    }
    case WM_DPICHANGED: {
      // Windows scales the dialog's controls and font; the window takes the
      // size it suggests, and the pictures are loaded again at the new size.
      const auto* suggested = reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      LoadIcons();
      SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, ScaleForDpi(kTooltipWidth, WindowDpi(window_)));
      Layout();
      return TRUE;
    }
    case WM_DROPFILES:
      FilesDropped(reinterpret_cast<HDROP>(wparam));
      return TRUE;
    case WM_CTLCOLOREDIT:
      return ColourEdit(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_NOTIFY:
      return Notified(*reinterpret_cast<const NMHDR*>(lparam));
    case WM_CLOSE:
      Close();
      return TRUE;
    case WM_DESTROY:
      Destroyed();
      return TRUE;
    case WM_NCDESTROY:
      window_ = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

void MainWindow::Command(int id, int code) {
  if (rendering_ > 0)
    return;  // the view's own drawing, not the user
  if (id == IDC_GO && code == BN_CLICKED) {
    model_->GoClicked();
    return;
  }
  if (id == IDC_COPY && code == BN_CLICKED) {
    model_->CopyClicked();
    return;
  }
  if (id == IDC_FOLDERS && code == BN_CLICKED) {
    OpenFoldersDialog();
    return;
  }
  if (id == IDC_CONVERT && code == BN_CLICKED) {
    model_->Convert(Now());
    return;
  }
  if (id == IDC_RUNWAY && code == EN_CHANGE) {
    model_->RunwayEdited(Utf8FromWide(WindowText(Item(IDC_RUNWAY))));
    return;
  }
  if (id == IDC_PLAN_NUMBER && code == EN_CHANGE) {
    // Digits only (ES_NUMBER); an empty box while the user types is no number.
    const std::string text = Utf8FromWide(WindowText(Item(IDC_PLAN_NUMBER)));
    int number = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (ec == std::errc() && end == text.data() + text.size())
      model_->PlanNumberChanged(number);
    return;
  }
  // A box left empty becomes the lowest number, as a typed 0 does.
  if (id == IDC_PLAN_NUMBER && code == EN_KILLFOCUS) {
    if (WindowText(Item(IDC_PLAN_NUMBER)).empty())
      model_->PlanNumberChanged(0);
    return;
  }
  const auto* item = std::find(std::begin(kSimulatorItemIds), std::end(kSimulatorItemIds), id);
  if (item != std::end(kSimulatorItemIds) && code == BN_CLICKED) {
    if (IsDlgButtonChecked(window_, id) == BST_CHECKED)
      model_->SimulatorSelected(static_cast<Simulator>(item - std::begin(kSimulatorItemIds)));
    Render(Control::kSimulatorSelection, model_->StateOf(Control::kSimulatorSelection));
    return;
  }
  if (const auto control = ControlOfItem(id);
      control && IsTickBox(*control) && code == BN_CLICKED) {
    model_->BoxTicked(*control, IsDlgButtonChecked(window_, id) == BST_CHECKED);
    // The model may keep the box as it was.
    Render(*control, model_->StateOf(*control));
  }
  // IDOK and IDCANCEL (Enter outside a button, Esc) do nothing: the window
  // is not a dialog that Esc closes.
}
bool MainWindow::TranslateDialogMessage(MSG& message) {
  if (window_ == nullptr)
    return false;
  if (OpenShortcut(message) || FoldersShortcut(message))
    return true;
  if (message.message == WM_KEYDOWN &&
      (message.hwnd == window_ || IsChild(window_, message.hwnd) != FALSE)) {
    const HWND focus = GetFocus();
    const std::optional<Control> focused = focus != nullptr && GetParent(focus) == window_
                                               ? ControlOfItem(GetDlgCtrlID(focus))
                                               : std::nullopt;
    // F5 runs from anywhere in the window. Enter goes to the model first: the
    // dialog's own handling takes it for its default button, which a button
    // that has the focus is not always (GO!!! as the window opens), and for
    // its OK button on a tick box.
    if (message.wParam == VK_F5) {
      model_->KeyPressed(Key::kF5, focused, Now());
      return true;
    }
    if (message.wParam == VK_RETURN && model_->KeyPressed(Key::kEnter, focused, Now()))
      return true;
    // The arrow keys move on from a button or a tick box as Tab and Shift+Tab
    // do, as in the Qt window. The dialog's own handling moves within the
    // control's group, where the labels beside the controls would take the
    // focus out of sight; among the simulator items it stays.
    const bool back = message.wParam == VK_LEFT || message.wParam == VK_UP;
    if ((back || message.wParam == VK_RIGHT || message.wParam == VK_DOWN) && focused &&
        (IsTickBox(*focused) || *focused == Control::kGoButton ||
         *focused == Control::kConversionButton || *focused == Control::kCopyButton)) {
      SendMessageW(window_, WM_NEXTDLGCTL, back ? TRUE : FALSE, FALSE);
      return true;
    }
  }
  return IsDialogMessageW(window_, &message) != FALSE;
}

// Ctrl+O anywhere in the window opens a file to convert, for keyboard users.
bool MainWindow::OpenShortcut(const MSG& message) {
  if (window_ == nullptr || message.message != WM_KEYDOWN || message.wParam != 'O' ||
      (GetKeyState(VK_CONTROL) & 0x8000) == 0 || (GetKeyState(VK_MENU) & 0x8000) != 0 ||
      (message.hwnd != window_ && !IsChild(window_, message.hwnd)))
    return false;
  model_->OpenFile(Now());
  return true;
}

// The dropped files in their order; the model converts the first.
void MainWindow::FilesDropped(HDROP drop) {
  std::vector<std::filesystem::path> files;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    std::wstring name(length + 1, L'\0');
    DragQueryFileW(drop, i, name.data(), length + 1);
    name.resize(length);
    files.emplace_back(name);
  }
  DragFinish(drop);
  model_->FilesDropped(files, Now());
}

}  // namespace korvanta::win32
