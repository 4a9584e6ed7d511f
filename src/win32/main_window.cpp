// The window's life (creation, icons, showing, closing) and the WindowView
// calls that reach the system: the timer, the clock, the clipboard, the
// dialogs.

#include "win32/main_window.hpp"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "io/wide_text.hpp"
#include "win32/button_images.hpp"
#include "win32/clipboard.hpp"
#include "win32/design_units.hpp"
#include "win32/dialog_items.hpp"
#include "win32/dpi.hpp"
#include "win32/resource_ids.h"
#include "win32/user_dialogs.hpp"

namespace korvanta::win32 {

namespace {

// The client area at the design's resolution.
constexpr int kDesignClientWidth = 638;
constexpr int kDesignClientHeight = 448;
// The conversion button's picture.
constexpr int kButtonIconSize = 32;

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, const std::filesystem::path& app_dir,
                       const FolderSource& source, bool file_dialog, UserDialogs& dialogs,
                       Clock clock)
    : instance_(instance), dialogs_(dialogs), clock_(std::move(clock)) {
  if (!clock_)
    clock_ = [] { return std::chrono::milliseconds(GetTickCount64()); };
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES;
  InitCommonControlsEx(&controls);
  model_ = std::make_unique<WindowModel>(app_dir, source, file_dialog, *this);
  CreateDialogParamW(instance_, MAKEINTRESOURCEW(IDD_MAIN_WINDOW), nullptr, &DialogProcedure,
                     reinterpret_cast<LPARAM>(this));
}

MainWindow::~MainWindow() {
  if (window_ != nullptr)
    DestroyWindow(window_);
  for (HICON icon : {big_icon_, small_icon_}) {
    if (icon != nullptr)
      DestroyIcon(icon);
  }
  if (button_images_ != nullptr)
    ImageList_Destroy(button_images_);
}

INT_PTR CALLBACK MainWindow::DialogProcedure(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<MainWindow*>(lparam);
    SetWindowLongPtrW(window, DWLP_USER, lparam);
    self->Initialize(window);
    return TRUE;  // the focus goes to the first stop of the tab order, "GO!!!"
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, DWLP_USER));
  if (self == nullptr)
    return FALSE;
  return self->OnMessage(message, wparam, lparam);
}

void MainWindow::Initialize(HWND window) {
  window_ = window;

  SendDlgItemMessageW(window_, IDC_PLAN_NUMBER_SPIN, UDM_SETRANGE32, kPlanNumberMin,
                      kPlanNumberMax);
  SendDlgItemMessageW(window_, IDC_PLAN_NUMBER, EM_SETLIMITTEXT, 5, 0);

  const HWND grid = Item(IDC_WAYPOINTS);
  // Drawn through a buffer once it has rows (see RenderGrid).
  ListView_SetExtendedListViewStyle(grid,
                                    LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_LABELTIP);
  for (int column = 0; column < static_cast<int>(std::size(WaypointTable::kFieldNames)); ++column) {
    std::wstring title = WideFromUtf8(WaypointTable::kFieldNames[column]);
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT | LVCF_FMT | LVCF_SUBITEM;
    info.fmt = LVCFMT_LEFT;
    info.pszText = title.data();
    info.iSubItem = column;
    SendMessageW(grid, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&info));
  }

  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_, nullptr);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(Item(IDC_STATUS_LINE));
  tool.lpszText = status_tip_.data();
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  tool.uId = reinterpret_cast<UINT_PTR>(Item(IDC_PLAN_NUMBER));
  tool.lpszText = plan_number_tip_.data();
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, ScaleForDpi(kTooltipWidth, WindowDpi(window_)));

  LoadIcons();
  CreateTargetBoxes();
  SetUpFoldersButton();
  const std::wstring cue = WideFromUtf8(kRouteStringCue);
  SendMessageW(Item(IDC_ROUTE_STRING), EM_SETCUEBANNER, TRUE,
               reinterpret_cast<LPARAM>(cue.c_str()));
  // Files dropped onto the window convert like the clipboard's route.
  DragAcceptFiles(window_, TRUE);
  // The items' captions, with their mnemonics, are the target table's.
  for (const SimulatorInfo& item : kSimulators) {
    SetWindowTextW(Item(kSimulatorItemIds[static_cast<std::size_t>(item.simulator)]),
                   WideFromUtf8(item.caption).c_str());
  }
  PlaceByDesignUnits(window_, WindowDpi(window_));
  // The map follows the route the grid shows; a click on one of its marks
  // selects that mark's row. Not a tab stop: the grid is the keyboard's way
  // to the same rows.
  map_ = std::make_unique<MapView>(
      instance_, window_, IDC_MAP, [this](const MapSize& size) { return model_->RouteMap(size); },
      [this](std::size_t row) { SelectGridRow(row); });

  // The design size, centred on the monitor's work area; a kept placement
  // replaces it when the window is first shown.
  const UINT dpi = WindowDpi(window_);
  RECT frame{0, 0, ScaleForDpi(kDesignClientWidth, dpi), ScaleForDpi(kDesignClientHeight, dpi)};
  AdjustFrameForDpi(frame, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)),
                    static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)), dpi);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  SetWindowPos(window_, nullptr, work.left + std::max(0L, (work.right - work.left - width) / 2),
               work.top + std::max(0L, (work.bottom - work.top - height) / 2), width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);

  // The model's states are the window's from the start.
  for (const ControlInfo& info : Controls())
    Render(info.control, model_->StateOf(info.control));
  Layout();
}

void MainWindow::LoadIcons() {
  const UINT dpi = WindowDpi(window_);
  const auto load = [&](int size) {
    return static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_KORVANTA), IMAGE_ICON,
                                         size, size, LR_DEFAULTCOLOR));
  };
  const HICON button = load(ScaleForDpi(kButtonIconSize, dpi));
  const HICON big = load(SystemMetricForDpi(SM_CXICON, dpi));
  const HICON small = load(SystemMetricForDpi(SM_CXSMICON, dpi));
  // The conversion button is disabled during the airport load and a run: an
  // image list gives it a greyed picture for that state (the button's own
  // disabled drawing of an icon leaves a blank face under Wine), while the
  // button still draws its frame and focus mark itself.
  // (Should the icon's pixels not read, the button shows its text instead.)
  const HIMAGELIST images = MakeButtonImages(button, GetSysColor(COLOR_BTNFACE));
  DestroyIcon(button);
  BUTTON_IMAGELIST list{};
  list.himl = images;
  list.uAlign = BUTTON_IMAGELIST_ALIGN_CENTER;
  SendDlgItemMessageW(window_, IDC_CONVERT, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list));
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  for (HICON old : {big_icon_, small_icon_}) {
    if (old != nullptr)
      DestroyIcon(old);
  }
  if (button_images_ != nullptr)
    ImageList_Destroy(button_images_);
  button_images_ = images;
  big_icon_ = big;
  small_icon_ = small;
}
void MainWindow::Close() {
  if (model_->CloseRequested())
    DestroyWindow(window_);
}

void MainWindow::CloseWindow() {
  if (window_ != nullptr)
    PostMessageW(window_, WM_CLOSE, 0, 0);
}

void MainWindow::RunDemo() {
  model_->RunDemo(Now());
}

void MainWindow::Destroyed() {
  KillTimer(window_, kStartUpTimer);
  if (marked_brush_ != nullptr)
    DeleteObject(std::exchange(marked_brush_, nullptr));
  if (ends_program_)
    PostQuitMessage(0);
}

void MainWindow::Show(int show_command) {
  if (!shown_) {
    shown_ = true;
    model_->WindowShown();
    if (maximize_on_show_) {
      // Shown at its kept normal place first, then maximised: a window
      // maximised at its first showing left the window manager no normal
      // place to go back to (under Wine it un-maximised to the screen's
      // centre, though the normal place was set).
      ShowWindow(window_, SW_SHOWNORMAL);
      show_command = SW_SHOWMAXIMIZED;
    }
  }
  ShowWindow(window_, show_command);
  UpdateWindow(window_);
}
void MainWindow::Focus(Control control) {
  if (window_ != nullptr)
    SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(ItemOf(control))), TRUE);
}

void MainWindow::StartTimer(std::chrono::milliseconds delay) {
  SetTimer(window_, kStartUpTimer, static_cast<UINT>(delay.count()), nullptr);
}

void MainWindow::ProcessPendingEvents() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // For the program's own loop, which ends on it.
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (!TranslateDialogMessage(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

std::chrono::milliseconds MainWindow::Now() const {
  return clock_();
}

std::chrono::milliseconds MainWindow::DoubleClickTime() const {
  return std::chrono::milliseconds(GetDoubleClickTime());
}

std::string MainWindow::ClipboardText() {
  return ReadClipboardText(window_);
}

bool MainWindow::PutClipboardText(const std::string& text) {
  return win32::PutClipboardText(window_, text);
}

void MainWindow::ShowMessage(const std::string& text) {
  dialogs_.ShowError(window_, text);
}

std::optional<std::filesystem::path> MainWindow::ChooseOpenFile(
    const std::filesystem::path& folder) {
  return dialogs_.ChooseOpenFile(window_, folder);
}

std::optional<std::filesystem::path> MainWindow::ChooseSaveFile(const SaveDialogRequest& request) {
  return dialogs_.ChooseSaveFile(window_, request);
}

bool MainWindow::OpenDocument(const std::filesystem::path& file) {
  return dialogs_.OpenDocument(file);
}

void MainWindow::StartUpEnded() {
  if (start_up_ended_)
    start_up_ended_();
}

}  // namespace korvanta::win32
