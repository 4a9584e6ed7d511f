#pragma once

#include <windows.h>

#include <string_view>

namespace korvanta::win32 {

// Puts UTF-8 text on the clipboard as Unicode text (CF_UNICODETEXT), as a
// browser does with the route finder's result. False when the clipboard
// cannot be had.
bool PutClipboardText(HWND owner, std::string_view utf8);

}  // namespace korvanta::win32
