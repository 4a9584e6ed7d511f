// The window's layout: the targets' tick boxes in the tick rows, the least
// size, the controls that follow the window's size, and the kept placement.

#include "win32/main_window.hpp"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <numeric>

#include "io/wide_text.hpp"
#include "win32/child_windows.hpp"
#include "win32/dialog_items.hpp"
#include "win32/dpi.hpp"
#include "win32/placement.hpp"
#include "win32/resource_ids.h"
#include "win32/tick_box_spans.hpp"

namespace korvanta::win32 {

namespace {

// The least client area shows every control whole and this much of the grid
// below them (the Qt window's least size keeps as much).
constexpr int kLeastGridHeight = 165;
// The room between the window's edge and the controls beside it.
constexpr int kEdgeMargin = 6;
// The map's least width, and the room between it and the grid.
constexpr int kLeastMapWidth = 120;
constexpr int kMapGap = 4;

// The key of the placement in the settings file's section "TForm1"; the Qt
// window keeps its own form under a key of its own.
constexpr std::string_view kPlacementKey = "Win32Placement";
// The tick rows of the dialog template, in its units.
constexpr int kTickRowTop = 52;
constexpr int kTickRowPitch = 14;
constexpr int kTickBoxHeight = 10;

}  // namespace

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
    const int top = kTickRowTop + info.place->row * kTickRowPitch;
    const TickBoxSpan span = TickBoxSpanOf(*info.target).value_or(TickBoxSpan{});
    RECT rect{span.left, top, span.left + span.width, top + kTickBoxHeight};
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
    // Copy follows the window's right edge, beside the line that stretches.
    if (id == IDC_STATUS_LINE || id == IDC_LOAD_PROGRESS || id == IDC_WAYPOINTS ||
        id == IDC_ROUTE_STRING || id == IDC_COPY || id == IDC_MAP)
      continue;
    least.right = std::max(least.right, PlaceInParent(window_, item).right);
  }
  least.right += ScaleForDpi(kEdgeMargin, dpi);
  const RECT grid = PlaceInParent(window_, Item(IDC_WAYPOINTS));
  least.bottom = grid.top + ScaleForDpi(kLeastGridHeight, dpi);
  AdjustFrameForDpi(least, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)),
                    static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)), dpi);
  return SIZE{least.right - least.left, least.bottom - least.top};
}
// The status line, the route string's line with Copy and the progress panel
// follow the window's width; the grid and the map beside it take the room
// below them.
void MainWindow::Layout() {
  if (window_ == nullptr || map_ == nullptr)
    return;
  RECT client{};
  GetClientRect(window_, &client);
  const auto stretch = [&](int id) {
    const HWND item = Item(id);
    const RECT rect = PlaceInParent(window_, item);
    SetWindowPos(item, nullptr, rect.left, rect.top, std::max(0L, client.right - 2 * rect.left),
                 rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
  };
  stretch(IDC_STATUS_LINE);
  const std::array<int, kGridColumns> columns = ColumnWidths();
  PlaceGridAndMap(client, columns);
  PlaceRouteStringRow(client);
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
  FitColumns(columns);
}
// The grid keeps its columns whole where the window's width allows, with room
// for its scroll bar; the map takes the rest of the width, and no less than
// its least width: a narrow window scrolls the grid instead.
void MainWindow::PlaceGridAndMap(const RECT& client, const std::array<int, kGridColumns>& columns) {
  const UINT dpi = WindowDpi(window_);
  const HWND grid = Item(IDC_WAYPOINTS);
  const LONG top = PlaceInParent(window_, grid).top;
  const LONG height = std::max(0L, client.bottom - top);
  RECT frame{0, 0, 0, 0};
  AdjustFrameForDpi(frame, static_cast<DWORD>(GetWindowLongPtrW(grid, GWL_STYLE)),
                    static_cast<DWORD>(GetWindowLongPtrW(grid, GWL_EXSTYLE)), dpi);
  const int edges = frame.right - frame.left + SystemMetricForDpi(SM_CXVSCROLL, dpi);
  const LONG gap = ScaleForDpi(kMapGap, dpi);
  const LONG widest = std::max(0L, client.right - gap - ScaleForDpi(kLeastMapWidth, dpi));
  const LONG grid_width =
      std::min<LONG>(widest, std::accumulate(columns.begin(), columns.end(), edges));
  SetWindowPos(grid, nullptr, 0, top, grid_width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  const LONG map_left = grid_width + gap;
  SetWindowPos(map_->Handle(), nullptr, map_left, top, std::max(0L, client.right - map_left),
               height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Copy keeps its size at the window's right edge, as far from it as the line
// is from the left one; the line takes the width up to Copy, with as much
// room again between them.
void MainWindow::PlaceRouteStringRow(const RECT& client) {
  const RECT line = PlaceInParent(window_, Item(IDC_ROUTE_STRING));
  const RECT copy = PlaceInParent(window_, Item(IDC_COPY));
  const LONG gap = line.left;
  const LONG copy_left = std::max(line.left, client.right - line.left - (copy.right - copy.left));
  SetWindowPos(Item(IDC_COPY), nullptr, copy_left, copy.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(Item(IDC_ROUTE_STRING), nullptr, 0, 0, std::max(0L, copy_left - gap - line.left),
               line.bottom - line.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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

}  // namespace korvanta::win32
