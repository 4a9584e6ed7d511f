#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace korvanta::win32 {

// Puts UTF-8 text on the clipboard as Unicode text (CF_UNICODETEXT), as a
// browser does with the route finder's result. False when the clipboard
// cannot be had.
bool PutClipboardText(HWND owner, std::string_view utf8);

// The clipboard's Unicode text as UTF-8; empty when it holds none or cannot
// be had.
std::string ReadClipboardText(HWND owner);

}  // namespace korvanta::win32
