#include "win32/main_window.hpp"

#include <commctrl.h>

#include <algorithm>
#include <charconv>
#include <iterator>
#include <utility>

#include "io/wide_text.hpp"
#include "win32/button_images.hpp"
#include "win32/clipboard.hpp"
#include "win32/dpi.hpp"
#include "win32/placement.hpp"
#include "win32/resource_ids.h"
#include "win32/user_dialogs.hpp"

namespace korvanta::win32 {

namespace {

// The client area at the design's resolution.
constexpr int kDesignClientWidth = 638;
constexpr int kDesignClientHeight = 448;
// The least client area shows every control whole and this much of the grid
// below them (the Qt window's least size, 628 by 316, keeps as much).
constexpr int kLeastGridHeight = 165;
// The room between the window's edge and the controls beside it.
constexpr int kEdgeMargin = 6;
// The conversion button's picture.
constexpr int kButtonIconSize = 32;
// The tooltip of a long status line wraps at this width.
constexpr int kTooltipWidth = 600;
// Room around a grid cell's text.
constexpr int kCellPadding = 16;
// The dialog template's units: those of Tahoma 8 at 96 DPI, whose base units
// are 6 by 13 pixels (a unit across is a quarter, a unit down an eighth).
constexpr int kDesignBaseX = 6;
constexpr int kDesignBaseY = 13;

constexpr UINT_PTR kStartUpTimer = 1;

// The key of the placement in the settings file's section "TForm1"; the Qt
// window keeps its own form under a key of its own.
constexpr std::string_view kPlacementKey = "Win32Placement";

// The dialog item that draws each of the window's own controls, in the order
// of Control; the targets' boxes follow from IDC_TARGET_FIRST.
constexpr int kOwnControlItems[] = {
    IDC_SUPER80,               // kSuper80Box
    IDC_PLAN_NUMBER,           // kPlanNumber (with its up-down control)
    IDC_SIMULATOR_GROUP,       // kSimulatorSelection (with its three items)
    IDC_PLAN_NUMBER_LABEL,     // kPlanNumberLabel
    IDC_STATUS_LINE,           // kStatusLine
    IDC_RUNWAY_LABEL,          // kRunwayLabel
    IDC_RUNWAY,                // kRunwayBox
    IDC_CONVERT,               // kConversionButton
    IDC_MODIFY_RUNWAY_PROMPT,  // kRunwayPrompt
    IDC_GO,                    // kGoButton
    IDC_LOAD_PROGRESS,         // kProgressPanel
    IDC_WAYPOINTS,             // kGrid
};
static_assert(std::size(kOwnControlItems) == static_cast<std::size_t>(Control::kFirstTargetBox));

constexpr int kSimulatorItemIds[] = {IDC_SIMULATOR_FS9, IDC_SIMULATOR_FSX, IDC_SIMULATOR_XPLANE};
static_assert(std::size(kSimulatorItemIds) == kSimulatorCount);

// The tick rows of the dialog template, in its units.
constexpr int kTickRowTop = 52;
constexpr int kTickRowPitch = 14;
constexpr int kTickBoxHeight = 10;

std::optional<Control> ControlOfItem(int id) {
  const auto* found = std::find(std::begin(kOwnControlItems), std::end(kOwnControlItems), id);
  if (found != std::end(kOwnControlItems))
    return static_cast<Control>(found - std::begin(kOwnControlItems));
  if (id >= IDC_TARGET_FIRST && id < IDC_TARGET_FIRST + static_cast<int>(kTargetCount))
    return BoxOf(static_cast<Target>(id - IDC_TARGET_FIRST));
  return std::nullopt;
}

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

// Sets the text only when it differs: an edit box's caret and selection
// stay where the user left them.
void SetText(HWND window, const std::wstring& text) {
  if (WindowText(window) != text)
    SetWindowTextW(window, text.c_str());
}

void SetShown(HWND window, bool visible) {
  if ((IsWindowVisible(window) != FALSE) != visible)
    ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
}

void SetEnabled(HWND window, bool enabled) {
  if ((IsWindowEnabled(window) != FALSE) != enabled)
    EnableWindow(window, enabled ? TRUE : FALSE);
}

// The template units a position was made from: the inverse of Windows'
// MulDiv(units, base, per) for the dialog's own base units.
int TemplateUnits(int pixels, int base, int per) {
  const int guess = MulDiv(pixels, per, base);
  for (const int units : {guess, guess - 1, guess + 1}) {
    if (MulDiv(units, base, per) == pixels)
      return units;
  }
  return guess;
}

// Places every control of the dialog by its template position in the
// design's base units at `dpi`, instead of the base units of whatever font
// the system gave the dialog: the same layout to the pixel on every system.
void PlaceByDesignUnits(HWND dialog, UINT dpi) {
  RECT unit{0, 0, 4, 8};
  MapDialogRect(dialog, &unit);
  const int base_x = std::max(1, static_cast<int>(unit.right));
  const int base_y = std::max(1, static_cast<int>(unit.bottom));
  const auto x = [&](LONG pixels) {
    return MulDiv(TemplateUnits(pixels, base_x, 4), kDesignBaseX * static_cast<int>(dpi),
                  4 * static_cast<int>(kDesignDpi));
  };
  const auto y = [&](LONG pixels) {
    return MulDiv(TemplateUnits(pixels, base_y, 8), kDesignBaseY * static_cast<int>(dpi),
                  8 * static_cast<int>(kDesignDpi));
  };
  // The up-down control narrowed its buddy to sit inside the template's
  // rectangle; the pair is placed whole and the up-down attached again.
  const HWND spin = GetDlgItem(dialog, IDC_PLAN_NUMBER_SPIN);
  const HWND number = GetDlgItem(dialog, IDC_PLAN_NUMBER);
  for (HWND item = GetWindow(dialog, GW_CHILD); item != nullptr;
       item = GetWindow(item, GW_HWNDNEXT)) {
    if (item == spin)
      continue;
    RECT rect{};
    GetWindowRect(item, &rect);
    if (item == number) {
      RECT spin_rect{};
      GetWindowRect(spin, &spin_rect);
      UnionRect(&rect, &rect, &spin_rect);
    }
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    SetWindowPos(item, nullptr, x(rect.left), y(rect.top), x(rect.right - rect.left),
                 y(rect.bottom - rect.top), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(number), 0);
}

// Counts a nesting depth for as long as it lives.
class Depth {
 public:
  explicit Depth(int& depth) : depth_(depth) { ++depth_; }
  ~Depth() { --depth_; }
  Depth(const Depth&) = delete;
  Depth& operator=(const Depth&) = delete;

 private:
  int& depth_;
};

}  // namespace

int ItemOf(Control control) {
  if (const auto target = TargetOfBox(control))
    return IDC_TARGET_FIRST + static_cast<int>(*target);
  return kOwnControlItems[static_cast<std::size_t>(control)];
}

MainWindow::MainWindow(HINSTANCE instance, const std::filesystem::path& app_dir,
                       const FolderSource& source, bool file_dialog, UserDialogs& dialogs)
    : instance_(instance), dialogs_(dialogs) {
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
  ListView_SetExtendedListViewStyle(
      grid, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
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
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, ScaleForDpi(kTooltipWidth, WindowDpi(window_)));

  LoadIcons();
  CreateTargetBoxes();
  // Files dropped onto the window convert like the clipboard's route.
  DragAcceptFiles(window_, TRUE);
  // The items' captions, with their mnemonics, are the target table's.
  for (const SimulatorInfo& item : kSimulators) {
    SetWindowTextW(Item(kSimulatorItemIds[static_cast<std::size_t>(item.simulator)]),
                   WideFromUtf8(item.caption).c_str());
  }
  PlaceByDesignUnits(window_, WindowDpi(window_));

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

// The targets' tick boxes, in the template's units and font like the
// template's own controls, each after the control before it in the tick rows
// in the tab order; the first starts the group the arrow keys move in.
void MainWindow::CreateTargetBoxes() {
  const auto font = static_cast<WPARAM>(SendMessageW(window_, WM_GETFONT, 0, 0));
  HWND previous = Item(IDC_SIMULATOR_XPLANE);
  DWORD group = WS_GROUP;
  for (const Control control : TickRowOrder()) {
    const ControlInfo& info = InfoOf(control);
    if (!info.target) {
      // The up-down control follows its buddy.
      previous = Item(control == Control::kPlanNumber ? IDC_PLAN_NUMBER_SPIN : ItemOf(control));
      continue;
    }
    const BoxPlace& place = *info.place;
    RECT rect{place.left, kTickRowTop + place.row * kTickRowPitch, place.left + place.width,
              kTickRowTop + place.row * kTickRowPitch + kTickBoxHeight};
    MapDialogRect(window_, &rect);
    const std::wstring caption = WideFromUtf8(info.caption);
    const HWND box = CreateWindowExW(
        WS_EX_NOPARENTNOTIFY, WC_BUTTONW, caption.c_str(),
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX | group, rect.left, rect.top,
        rect.right - rect.left, rect.bottom - rect.top, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ItemOf(control))), instance_, nullptr);
    SendMessageW(box, WM_SETFONT, font, FALSE);
    SetWindowPos(box, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = box;
    group = 0;
  }
}

// The least frame that shows every control whole: the controls as they are
// placed at the window's DPI, except the lines and the grid that stretch with
// the window, and a few of the grid's rows below them.
SIZE MainWindow::LeastFrameSize() const {
  const UINT dpi = WindowDpi(window_);
  RECT least{0, 0, 0, 0};
  for (HWND item = GetWindow(window_, GW_CHILD); item != nullptr;
       item = GetWindow(item, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(item);
    if (id == IDC_STATUS_LINE || id == IDC_LOAD_PROGRESS || id == IDC_WAYPOINTS)
      continue;
    RECT rect{};
    GetWindowRect(item, &rect);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
    least.right = std::max(least.right, rect.right);
  }
  least.right += ScaleForDpi(kEdgeMargin, dpi);
  RECT grid{};
  GetWindowRect(Item(IDC_WAYPOINTS), &grid);
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&grid), 2);
  least.bottom = grid.top + ScaleForDpi(kLeastGridHeight, dpi);
  AdjustFrameForDpi(least, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)),
                    static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)), dpi);
  return SIZE{least.right - least.left, least.bottom - least.top};
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

bool MainWindow::TranslateDialogMessage(MSG& message) {
  if (window_ == nullptr)
    return false;
  if (OpenShortcut(message))
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
         *focused == Control::kConversionButton)) {
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

// The status line, the progress panel and the grid follow the window's
// width; the grid also takes the height below the tick rows.
void MainWindow::Layout() {
  if (window_ == nullptr)
    return;
  RECT client{};
  GetClientRect(window_, &client);
  const auto stretch = [&](int id, bool to_bottom) {
    const HWND item = Item(id);
    RECT rect{};
    GetWindowRect(item, &rect);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
    const LONG margin = to_bottom ? 0 : rect.left;
    const LONG height = to_bottom ? std::max(0L, client.bottom - rect.top) : rect.bottom - rect.top;
    SetWindowPos(item, nullptr, margin, rect.top, std::max(0L, client.right - 2 * margin), height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  };
  stretch(IDC_STATUS_LINE, false);
  stretch(IDC_WAYPOINTS, true);
  // The progress panel lies over the grid's first rows, below its header, as
  // in the Qt window: it covers neither the header nor anything above.
  const HWND grid = Item(IDC_WAYPOINTS);
  RECT rows{};
  GetClientRect(grid, &rows);
  MapWindowPoints(grid, window_, reinterpret_cast<POINT*>(&rows), 2);
  RECT header{};
  GetWindowRect(ListView_GetHeader(grid), &header);
  RECT panel{};
  GetWindowRect(Item(IDC_LOAD_PROGRESS), &panel);
  SetWindowPos(Item(IDC_LOAD_PROGRESS), nullptr, rows.left, rows.top + (header.bottom - header.top),
               rows.right - rows.left, panel.bottom - panel.top, SWP_NOZORDER | SWP_NOACTIVATE);
  FitColumns();
}

// ---- WindowView --------------------------------------------------------------

void MainWindow::Render(Control control, const ControlState& state) {
  if (window_ == nullptr)
    return;
  const Depth drawing(rendering_);
  const HWND item = Item(ItemOf(control));
  switch (control) {
    case Control::kGrid:
      RenderGrid();
      break;
    case Control::kSimulatorSelection: {
      const int index = std::clamp(state.value, 0, static_cast<int>(kSimulatorCount) - 1);
      CheckRadioButton(window_, kSimulatorItemIds[0], kSimulatorItemIds[2],
                       kSimulatorItemIds[index]);
      for (const int id : kSimulatorItemIds) {
        SetEnabled(Item(id), state.enabled);
        SetShown(Item(id), state.visible);
      }
      SetShown(item, state.visible);
      break;
    }
    case Control::kPlanNumber: {
      const HWND spin = Item(IDC_PLAN_NUMBER_SPIN);
      BOOL failed = FALSE;
      const auto shown =
          static_cast<int>(SendMessageW(spin, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
      if (failed || shown != state.value)
        SendMessageW(spin, UDM_SETPOS32, 0, state.value);
      for (const HWND part : {item, spin}) {
        SetEnabled(part, state.enabled);
        SetShown(part, state.visible);
      }
      break;
    }
    case Control::kStatusLine: {
      const std::wstring text = WideFromUtf8(state.caption);
      SetText(item, text);
      SetStatusTooltip(text);
      SetShown(item, state.visible);
      break;
    }
    case Control::kConversionButton:
      // Its picture is its face; the text stays for screen readers.
      SetEnabled(item, state.enabled);
      SetShown(item, state.visible);
      break;
    default:
      if (IsTickBox(control))
        CheckDlgButton(window_, ItemOf(control), state.ticked ? BST_CHECKED : BST_UNCHECKED);
      SetText(item, WideFromUtf8(state.caption));
      SetEnabled(item, state.enabled);
      SetShown(item, state.visible);
      break;
  }
}

void MainWindow::SetStatusTooltip(const std::wstring& text) {
  status_tip_ = text;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(Item(IDC_STATUS_LINE));
  tool.lpszText = status_tip_.data();
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

// Fills the grid from the model's waypoint table; the rows are only built
// again when the table has changed since they were drawn.
void MainWindow::RenderGrid() {
  std::vector<std::array<std::wstring, kGridColumns>> rows;
  rows.reserve(model_->Waypoints().Count());
  for (const Waypoint& row : model_->Waypoints()) {
    std::array<std::wstring, kGridColumns>& cells = rows.emplace_back();
    for (std::size_t column = 0; column < kGridColumns; ++column)
      cells[column] = WideFromUtf8(GridCellText(row, column));
  }
  if (rows == grid_rows_)
    return;
  grid_rows_ = std::move(rows);

  const HWND grid = Item(IDC_WAYPOINTS);
  SendMessageW(grid, WM_SETREDRAW, FALSE, 0);
  SendMessageW(grid, LVM_DELETEALLITEMS, 0, 0);
  for (std::size_t r = 0; r < grid_rows_.size(); ++r) {
    auto& fields = grid_rows_[r];
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(r);
    item.pszText = fields[0].data();
    const auto index =
        static_cast<int>(SendMessageW(grid, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    for (std::size_t column = 1; column < fields.size(); ++column) {
      LVITEMW cell{};
      cell.iSubItem = static_cast<int>(column);
      cell.pszText = fields[column].data();
      SendMessageW(grid, LVM_SETITEMTEXTW, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&cell));
    }
  }
  // The first row carries the focus mark, so that the keyboard entering the
  // grid with Tab sees where it is and where the arrow keys go from.
  if (!grid_rows_.empty())
    ListView_SetItemState(grid, 0, LVIS_FOCUSED, LVIS_FOCUSED);
  SendMessageW(grid, WM_SETREDRAW, TRUE, 0);
  FitColumns();
  InvalidateRect(grid, nullptr, TRUE);
}

// Each column as wide as its title or its widest text; the last one takes
// what is left of the grid's width, so no scroll bar appears while the
// columns fit, and an empty grid keeps columns as wide as their titles.
void MainWindow::FitColumns() {
  const HWND grid = Item(IDC_WAYPOINTS);
  const int padding = ScaleForDpi(kCellPadding, WindowDpi(window_));
  const auto text_width = [&](const std::wstring& text) {
    return static_cast<int>(
        SendMessageW(grid, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
  };
  constexpr std::size_t kColumns = kGridColumns;
  std::array<int, kColumns> widths{};
  for (std::size_t column = 0; column < kColumns; ++column)
    widths[column] = text_width(WideFromUtf8(WaypointTable::kFieldNames[column]));
  for (const auto& row : grid_rows_) {
    for (std::size_t column = 0; column < kColumns; ++column)
      widths[column] = std::max(widths[column], text_width(row[column]));
  }
  RECT client{};
  GetClientRect(grid, &client);
  int used = 0;
  for (std::size_t column = 0; column < kColumns; ++column) {
    int width = widths[column] + padding;
    if (column + 1 == kColumns)
      width = std::max(width, static_cast<int>(client.right) - used);
    used += width;
    SendMessageW(grid, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0));
  }
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
  return std::chrono::milliseconds(GetTickCount64());
}

std::chrono::milliseconds MainWindow::DoubleClickTime() const {
  return std::chrono::milliseconds(GetDoubleClickTime());
}

std::string MainWindow::ClipboardText() {
  return ReadClipboardText(window_);
}

std::string_view MainWindow::PlacementKey() const {
  return kPlacementKey;
}

std::string MainWindow::SavePlacement() {
  return PlacementText(GetPlacement(window_));
}

void MainWindow::RestorePlacement(const std::string& saved,
                                  const std::optional<OldPlacement>& old) {
  std::optional<SavedPlacement> placement = ReadPlacement(saved);
  if (!placement && old) {
    placement = FromOldPlacement(*old, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)),
                                 static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)),
                                 WindowDpi(window_));
  }
  if (!placement)
    return;
  // A size kept below the least one (an earlier version allowed smaller) is
  // raised to it.
  const SIZE least = LeastFrameSize();
  RECT& normal = placement->normal;
  normal.right = std::max(normal.right, normal.left + least.cx);
  normal.bottom = std::max(normal.bottom, normal.top + least.cy);
  SetPlacement(window_, *placement);
  maximize_on_show_ = placement->maximized;
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

void MainWindow::OpenDocument(const std::filesystem::path& file) {
  dialogs_.OpenDocument(file);
}

void MainWindow::StartUpEnded() {
  if (start_up_ended_)
    start_up_ended_();
}

}  // namespace korvanta::win32
