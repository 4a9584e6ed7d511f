#include "win32/child_windows.hpp"

#include <algorithm>

namespace korvanta::win32 {

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

RECT PlaceInParent(HWND parent, HWND item) {
  RECT rect{};
  GetWindowRect(item, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

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

}  // namespace korvanta::win32
