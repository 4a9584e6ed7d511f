#include "win32/dpi.hpp"

namespace korvanta::win32 {

namespace {

// A function of user32 that only newer Windows versions have, or nullptr.
template <typename Function>
Function User32Function(const char* name) {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr)
    return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

}  // namespace

UINT WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  if (const auto get = User32Function<GetDpiForWindowFunction>("GetDpiForWindow")) {
    if (const UINT dpi = get(window); dpi != 0)
      return dpi;
  }
  const HDC dc = GetDC(window);
  const int dpi = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSX) : 0;
  if (dc != nullptr)
    ReleaseDC(window, dc);
  return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

int ScaleForDpi(int pixels, UINT dpi) {
  return MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}

void AdjustFrameForDpi(RECT& rect, DWORD style, DWORD ex_style, UINT dpi) {
  using AdjustFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  if (const auto adjust = User32Function<AdjustFunction>("AdjustWindowRectExForDpi")) {
    if (adjust(&rect, style, FALSE, ex_style, dpi))
      return;
  }
  AdjustWindowRectEx(&rect, style, FALSE, ex_style);
}

int SystemMetricForDpi(int index, UINT dpi) {
  using MetricFunction = int(WINAPI*)(int, UINT);
  if (const auto metric = User32Function<MetricFunction>("GetSystemMetricsForDpi"))
    return metric(index, dpi);
  return GetSystemMetrics(index);
}

}  // namespace korvanta::win32
