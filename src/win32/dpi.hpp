#pragma once

#include <windows.h>

namespace korvanta::win32 {

// The design's resolution: sizes given in pixels are pixels at this DPI.
inline constexpr UINT kDesignDpi = 96;

// The DPI of the monitor the window is on. Looked up at run time, so that the
// program still starts on Windows versions without the per-monitor calls.
UINT WindowDpi(HWND window);

// `pixels` at the design's resolution, at `dpi`.
int ScaleForDpi(int pixels, UINT dpi);

// Grows a client rectangle to the window frame around it, at `dpi`.
void AdjustFrameForDpi(RECT& rect, DWORD style, DWORD ex_style, UINT dpi);

// A system metric (SM_CXICON...) at `dpi`.
int SystemMetricForDpi(int index, UINT dpi);

}  // namespace korvanta::win32
