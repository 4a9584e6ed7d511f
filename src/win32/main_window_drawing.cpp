// Drawing the model's states: the controls, the status line's tooltip and the
// grid.

#include "win32/main_window.hpp"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "io/wide_text.hpp"
#include "win32/child_windows.hpp"
#include "win32/dialog_items.hpp"
#include "win32/dpi.hpp"
#include "win32/resource_ids.h"

namespace korvanta::win32 {

namespace {

// Room around a grid cell's text.
constexpr int kCellPadding = 16;

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
      SetTooltip(IDC_PLAN_NUMBER, plan_number_tip_, WideFromUtf8(state.tooltip));
      InvalidateRect(item, nullptr, TRUE);
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

// A marked plan number is drawn on a light red, the colour of the Qt
// window's mark.
INT_PTR MainWindow::ColourEdit(HDC dc, HWND edit) {
  constexpr COLORREF kMarkedBackground = RGB(255, 210, 210);
  if (edit != Item(IDC_PLAN_NUMBER) || !model_->StateOf(Control::kPlanNumber).marked)
    return FALSE;
  if (marked_brush_ == nullptr)
    marked_brush_ = CreateSolidBrush(kMarkedBackground);
  SetBkColor(dc, kMarkedBackground);
  return reinterpret_cast<INT_PTR>(marked_brush_);
}

// The grid without rows draws no focus mark of its own: while it has the
// focus, a focus frame round its rows' area shows where Tab went.
INT_PTR MainWindow::Notified(const NMHDR& header) {
  const HWND grid = Item(IDC_WAYPOINTS);
  if (header.hwndFrom != grid)
    return FALSE;
  if (header.code == LVN_ITEMCHANGED) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if ((change.uChanged & LVIF_STATE) != 0 &&
        ((change.uNewState ^ change.uOldState) & LVIS_SELECTED) != 0)
      GridSelectionChanged();
    return FALSE;
  }
  if (header.code == NM_SETFOCUS || header.code == NM_KILLFOCUS) {
    InvalidateRect(grid, nullptr, TRUE);
    return FALSE;
  }
  if (header.code != NM_CUSTOMDRAW || !grid_rows_.empty() || GetFocus() != grid)
    return FALSE;
  const auto& draw = reinterpret_cast<const NMCUSTOMDRAW&>(header);
  LRESULT result = CDRF_DODEFAULT;
  if (draw.dwDrawStage == CDDS_PREPAINT) {
    result = CDRF_NOTIFYPOSTPAINT;
  } else if (draw.dwDrawStage == CDDS_POSTPAINT) {
    RECT rows{};
    GetClientRect(grid, &rows);
    RECT title{};
    if (GetWindowRect(ListView_GetHeader(grid), &title) != FALSE)
      rows.top += title.bottom - title.top;
    InflateRect(&rows, -1, -1);
    DrawFocusRect(draw.hdc, &rows);
  }
  // A dialog hands its answer to a notification back through its window's data.
  SetWindowLongPtrW(window_, DWLP_MSGRESULT, result);
  return TRUE;
}

void MainWindow::SetStatusTooltip(const std::wstring& text) {
  SetTooltip(IDC_STATUS_LINE, status_tip_, text);
}

// `kept` holds the text the tooltip points at.
void MainWindow::SetTooltip(int item, std::wstring& kept, const std::wstring& text) {
  kept = text;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(Item(item));
  tool.lpszText = kept.data();
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
  // The grid without rows draws its focus frame after its own drawing, which
  // Wine's buffered drawing leaves out; with no rows there is nothing to
  // flicker without the buffer.
  ListView_SetExtendedListViewStyleEx(grid, LVS_EX_DOUBLEBUFFER,
                                      grid_rows_.empty() ? 0 : LVS_EX_DOUBLEBUFFER);
  SendMessageW(grid, WM_SETREDRAW, TRUE, 0);
  // The grid's width follows its columns; the map shows the new route.
  map_->RouteChanged();
  Layout();
  InvalidateRect(grid, nullptr, TRUE);
}

std::array<int, kGridColumns> MainWindow::ColumnWidths() const {
  const HWND grid = Item(IDC_WAYPOINTS);
  const int padding = ScaleForDpi(kCellPadding, WindowDpi(window_));
  const auto text_width = [&](const std::wstring& text) {
    return static_cast<int>(
        SendMessageW(grid, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
  };
  std::array<int, kGridColumns> widths{};
  for (std::size_t column = 0; column < kGridColumns; ++column)
    widths[column] = text_width(WideFromUtf8(WaypointTable::kFieldNames[column]));
  for (const auto& row : grid_rows_) {
    for (std::size_t column = 0; column < kGridColumns; ++column)
      widths[column] = std::max(widths[column], text_width(row[column]));
  }
  for (int& width : widths)
    width += padding;
  return widths;
}

// The last column takes what is left of the grid's width, so no scroll bar
// appears while the columns fit, and an empty grid keeps columns as wide as
// their titles.
void MainWindow::FitColumns(const std::array<int, kGridColumns>& widths) {
  const HWND grid = Item(IDC_WAYPOINTS);
  RECT client{};
  GetClientRect(grid, &client);
  int used = 0;
  for (std::size_t column = 0; column < kGridColumns; ++column) {
    int width = widths[column];
    if (column + 1 == kGridColumns)
      width = std::max(width, static_cast<int>(client.right) - used);
    used += width;
    SendMessageW(grid, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0));
  }
}

void MainWindow::SelectGridRow(std::size_t row) {
  const HWND grid = Item(IDC_WAYPOINTS);
  const auto index = static_cast<int>(row);
  constexpr UINT kMarks = LVIS_SELECTED | LVIS_FOCUSED;
  ListView_SetItemState(grid, index, kMarks, kMarks);
  ListView_EnsureVisible(grid, index, FALSE);
}

// The map rings the point of the grid's selected row.
void MainWindow::GridSelectionChanged() {
  const int selected = ListView_GetNextItem(Item(IDC_WAYPOINTS), -1, LVNI_SELECTED);
  map_->MarkRow(selected < 0 ? std::nullopt
                             : std::optional<std::size_t>(static_cast<std::size_t>(selected)));
}

}  // namespace korvanta::win32
