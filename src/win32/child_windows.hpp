#pragma once

#include <windows.h>

#include <string>

namespace korvanta::win32 {

// A child window's text.
std::wstring WindowText(HWND window);
// The item's place in its parent's client area.
RECT PlaceInParent(HWND parent, HWND item);
// Sets the text only when it differs: an edit box's caret and selection
// stay where the user left them.
void SetText(HWND window, const std::wstring& text);
void SetShown(HWND window, bool visible);
void SetEnabled(HWND window, bool enabled);

}  // namespace korvanta::win32
