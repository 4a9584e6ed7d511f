#pragma once

#include <windows.h>

namespace korvanta::win32 {

// Places every control of the dialog by its template position in the
// design's base units at `dpi`, instead of the base units of whatever font
// the system gave the dialog: the same layout to the pixel on every system.
void PlaceByDesignUnits(HWND dialog, UINT dpi);

}  // namespace korvanta::win32
