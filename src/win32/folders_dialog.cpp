#include "win32/folders_dialog.hpp"

#include <commctrl.h>

#include <cstddef>
#include <string>
#include <utility>

#include "io/wide_text.hpp"
#include "win32/child_windows.hpp"
#include "win32/resource_ids.h"
#include "win32/user_dialogs.hpp"

namespace korvanta::win32 {

namespace {

// The parts of a line, each an item IDC_FOLDER_LINE_FIRST + line * kPartCount
// + part, in the order Tab takes them.
enum Part { kCaption, kFolder, kOrigin, kBrowse, kReset, kPartCount };

// Dialog units: a line's parts left to right (left, width), its pitch, and
// the margins.
struct Span {
  int left;
  int width;
};
constexpr Span kPartSpans[kPartCount] = {{6, 80}, {88, 220}, {312, 84}, {400, 44}, {448, 74}};
constexpr int kLinePitch = 16;
constexpr int kMargin = 6;
constexpr int kButtonHeight = 14;
constexpr int kButtonWidth = 50;
constexpr int kDialogWidth = 528;

struct Dialog {
  FoldersDialogModel model;
  UserDialogs& dialogs;
  const ConfirmFolders& confirm;
  HWND window = nullptr;
};

int ItemOfPart(std::size_t line, Part part) {
  return IDC_FOLDER_LINE_FIRST + static_cast<int>(line) * kPartCount + part;
}

HWND CreatePart(const Dialog& dialog, std::size_t line, Part part, HWND after) {
  static constexpr const wchar_t* kClasses[kPartCount] = {WC_STATICW, WC_EDITW, WC_STATICW,
                                                          WC_BUTTONW, WC_BUTTONW};
  static constexpr DWORD kStyles[kPartCount] = {SS_LEFT, ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP,
                                                SS_LEFT | SS_NOPREFIX, BS_PUSHBUTTON | WS_TABSTOP,
                                                BS_PUSHBUTTON | WS_TABSTOP};
  const int top = kMargin + static_cast<int>(line) * kLinePitch;
  const bool label = part == kCaption || part == kOrigin;
  RECT rect{kPartSpans[part].left, top + (label ? 2 : 0),
            kPartSpans[part].left + kPartSpans[part].width, top + (label ? 11 : kButtonHeight - 1)};
  MapDialogRect(dialog.window, &rect);
  std::wstring text;
  if (part == kCaption)
    text = WideFromUtf8(dialog.model.Lines()[line].caption);
  else if (part == kBrowse)
    text = L"Browse\u2026";
  else if (part == kReset)
    text = L"Reset to automatic";
  const HWND item = CreateWindowExW(
      part == kFolder ? WS_EX_CLIENTEDGE | WS_EX_NOPARENTNOTIFY : WS_EX_NOPARENTNOTIFY,
      kClasses[part], text.c_str(), WS_CHILD | WS_VISIBLE | kStyles[part], rect.left, rect.top,
      rect.right - rect.left, rect.bottom - rect.top, dialog.window,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(ItemOfPart(line, part))), nullptr, nullptr);
  SendMessageW(item, WM_SETFONT, static_cast<WPARAM>(SendMessageW(dialog.window, WM_GETFONT, 0, 0)),
               FALSE);
  SetWindowPos(item, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return item;
}

void ShowLine(const Dialog& dialog, std::size_t line) {
  const FolderLine& shown = dialog.model.Lines()[line];
  SetText(GetDlgItem(dialog.window, ItemOfPart(line, kFolder)), WideFromUtf8(shown.folder));
  SetText(GetDlgItem(dialog.window, ItemOfPart(line, kOrigin)), WideFromUtf8(shown.origin));
  const HWND reset = GetDlgItem(dialog.window, ItemOfPart(line, kReset));
  // A disabled button cannot keep the focus: it goes on to the next stop.
  if (!shown.resettable && GetFocus() == reset)
    SendMessageW(dialog.window, WM_NEXTDLGCTL, 0, FALSE);
  SetEnabled(reset, shown.resettable);
}

// The lines in the tab order before OK and Cancel, which go below them; the
// dialog takes the height of its lines.
void CreateLines(Dialog& dialog) {
  HWND after = HWND_TOP;
  for (std::size_t line = 0; line < dialog.model.Lines().size(); ++line) {
    for (int part = kCaption; part < kPartCount; ++part)
      after = CreatePart(dialog, line, static_cast<Part>(part), after);
    ShowLine(dialog, line);
  }
  const int buttons_top =
      kMargin + static_cast<int>(dialog.model.Lines().size()) * kLinePitch + kMargin;
  int left = kDialogWidth - kMargin - 2 * kButtonWidth - 4;
  for (const int id : {IDOK, IDCANCEL}) {
    RECT rect{left, buttons_top, left + kButtonWidth, buttons_top + kButtonHeight};
    MapDialogRect(dialog.window, &rect);
    const HWND button = GetDlgItem(dialog.window, id);
    SetWindowPos(button, after, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOACTIVATE);
    after = button;
    left += kButtonWidth + 4;
  }
  RECT client{0, 0, kDialogWidth, buttons_top + kButtonHeight + kMargin};
  MapDialogRect(dialog.window, &client);
  AdjustWindowRectEx(&client, static_cast<DWORD>(GetWindowLongPtrW(dialog.window, GWL_STYLE)),
                     FALSE, static_cast<DWORD>(GetWindowLongPtrW(dialog.window, GWL_EXSTYLE)));
  SetWindowPos(dialog.window, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Browse(Dialog& dialog, std::size_t line) {
  const FolderChoiceRequest request = dialog.model.ChoiceRequest(line);
  if (const auto chosen =
          dialog.dialogs.ChooseFolder(dialog.window, request.title, request.start_in)) {
    dialog.model.Choose(line, *chosen);
    ShowLine(dialog, line);
  }
}

void Command(Dialog& dialog, int id) {
  if (id == IDOK) {
    if (dialog.confirm(dialog.model))
      EndDialog(dialog.window, IDOK);
    return;
  }
  if (id == IDCANCEL) {
    EndDialog(dialog.window, IDCANCEL);
    return;
  }
  const int index = id - IDC_FOLDER_LINE_FIRST;
  if (index < 0 || index >= static_cast<int>(dialog.model.Lines().size()) * kPartCount)
    return;
  const auto line = static_cast<std::size_t>(index / kPartCount);
  if (index % kPartCount == kBrowse) {
    Browse(dialog, line);
  } else if (index % kPartCount == kReset) {
    dialog.model.Reset(line);
    ShowLine(dialog, line);
  }
}

INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<Dialog*>(lparam);
    SetWindowLongPtrW(window, DWLP_USER, lparam);
    dialog->window = window;
    CreateLines(*dialog);
    return TRUE;
  }
  auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
  if (dialog == nullptr || message != WM_COMMAND || HIWORD(wparam) != BN_CLICKED)
    return FALSE;
  Command(*dialog, LOWORD(wparam));
  return TRUE;
}

}  // namespace

bool ShowFoldersDialog(HINSTANCE instance, HWND owner, FoldersDialogModel model,
                       UserDialogs& dialogs, const ConfirmFolders& confirm) {
  Dialog dialog{std::move(model), dialogs, confirm};
  return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_FOLDERS), owner, &Procedure,
                         reinterpret_cast<LPARAM>(&dialog)) == IDOK;
}

}  // namespace korvanta::win32
