#include "win32/placement.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <charconv>

#include "win32/dpi.hpp"

namespace korvanta::win32 {

std::string PlacementText(const SavedPlacement& placement) {
  const RECT& r = placement.normal;
  return fmt::format("{},{},{},{},{}", r.left, r.top, r.right, r.bottom,
                     placement.maximized ? 1 : 0);
}

std::optional<SavedPlacement> ReadPlacement(std::string_view text) {
  std::array<long, 5> numbers{};
  const char* at = text.data();
  const char* const end = text.data() + text.size();
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0) {
      if (at == end || *at != ',')
        return std::nullopt;
      ++at;
    }
    const auto [next, ec] = std::from_chars(at, end, numbers[i]);
    if (ec != std::errc())
      return std::nullopt;
    at = next;
  }
  if (at != end || numbers[4] < 0 || numbers[4] > 1)
    return std::nullopt;
  SavedPlacement placement;
  placement.normal = RECT{numbers[0], numbers[1], numbers[2], numbers[3]};
  placement.maximized = numbers[4] == 1;
  if (placement.normal.right <= placement.normal.left ||
      placement.normal.bottom <= placement.normal.top)
    return std::nullopt;
  return placement;
}

RECT MovedInto(RECT frame, RECT area) {
  const LONG width = std::min(frame.right - frame.left, area.right - area.left);
  const LONG height = std::min(frame.bottom - frame.top, area.bottom - area.top);
  const LONG left = std::clamp(frame.left, area.left, area.right - width);
  const LONG top = std::clamp(frame.top, area.top, area.bottom - height);
  return RECT{left, top, left + width, top + height};
}

SavedPlacement FromOldPlacement(const OldPlacement& old, DWORD style, DWORD ex_style, UINT dpi) {
  RECT client{0, 0, old.width, old.height};
  AdjustFrameForDpi(client, style, ex_style, dpi);
  SavedPlacement placement;
  placement.normal = RECT{old.left, old.top, old.left + (client.right - client.left),
                          old.top + (client.bottom - client.top)};
  placement.maximized = old.maximized;
  return placement;
}

SavedPlacement GetPlacement(HWND window) {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof(wp);
  SavedPlacement placement;
  if (GetWindowPlacement(window, &wp)) {
    placement.normal = wp.rcNormalPosition;
    placement.maximized = wp.showCmd == SW_SHOWMAXIMIZED || IsZoomed(window);
  }
  return placement;
}

namespace {

// Workspace coordinates (those of WINDOWPLACEMENT) are relative to the
// primary monitor's work area; screen coordinates to the primary monitor.
POINT WorkspaceOffset() {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  const HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  if (!GetMonitorInfoW(primary, &info))
    return POINT{0, 0};
  return POINT{info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top};
}

}  // namespace

void SetPlacement(HWND window, const SavedPlacement& placement) {
  const POINT offset = WorkspaceOffset();
  RECT frame = placement.normal;
  OffsetRect(&frame, offset.x, offset.y);
  // A frame that is not whole on the work area of the monitor nearest to it
  // (a monitor since removed, a frame dragged mostly off) goes whole onto it.
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoW(MonitorFromRect(&frame, MONITOR_DEFAULTTONEAREST), &info))
    frame = MovedInto(frame, info.rcWork);
  OffsetRect(&frame, -offset.x, -offset.y);

  WINDOWPLACEMENT wp{};
  wp.length = sizeof(wp);
  wp.rcNormalPosition = frame;
  if (IsWindowVisible(window))
    wp.showCmd = placement.maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
  else
    wp.showCmd = SW_HIDE;
  SetWindowPlacement(window, &wp);
}

}  // namespace korvanta::win32
