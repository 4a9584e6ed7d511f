#include "win32/demo.hpp"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "io/utf8_path.hpp"
#include "win32/clipboard.hpp"
#include "win32/main_window.hpp"

namespace korvanta::win32 {

namespace {

// Time for the last repaint before the picture is taken.
constexpr DWORD kSettleMs = 500;

void PumpFor(MainWindow& window, DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  while (GetTickCount64() < end) {
    window.ProcessPendingEvents();
    Sleep(10);
  }
}

void Put16(std::string& out, std::uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

void Put32(std::string& out, std::uint32_t value) {
  Put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
  Put16(out, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace

bool SaveWindowPicture(HWND window, const std::filesystem::path& file) {
  RECT rect{};
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0)
    return false;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as BMP files keep the rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3U;
  const std::uint32_t pixel_bytes = stride * static_cast<std::uint32_t>(height);

  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool copied = false;
  if (bitmap != nullptr && memory != nullptr) {
    const HGDIOBJ old = SelectObject(memory, bitmap);
    copied = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top,
                    SRCCOPY | CAPTUREBLT) != FALSE;
    GdiFlush();
    SelectObject(memory, old);
  }
  std::string out;
  if (copied) {
    out.reserve(54 + pixel_bytes);
    out += "BM";
    Put32(out, 54 + pixel_bytes);
    Put32(out, 0);
    Put32(out, 54);
    out.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
    out.append(static_cast<const char*>(bits), pixel_bytes);
  }
  if (bitmap != nullptr)
    DeleteObject(bitmap);
  if (memory != nullptr)
    DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (!copied)
    return false;
  std::ofstream stream(file, std::ios::binary | std::ios::trunc);
  stream.write(out.data(), static_cast<std::streamsize>(out.size()));
  return static_cast<bool>(stream.flush());
}

bool RunDemo(MainWindow& window, const DemoOptions& options) {
  const HWND dialog = window.Handle();
  bool ok = true;
  if (!options.route_file.empty()) {
    const std::optional<std::string> route = DemoRouteText(options.route_file);
    if (!route || !PutClipboardText(dialog, *route)) {
      std::fprintf(stderr, "korvanta: cannot put %s on the clipboard\n",
                   PathToUtf8(options.route_file).c_str());
      ok = false;
    } else {
      window.RunDemo();
    }
  }
  if (!options.screenshot.empty()) {
    PumpFor(window, kSettleMs);
    if (!SaveWindowPicture(dialog, options.screenshot)) {
      std::fprintf(stderr, "korvanta: cannot write %s\n", PathToUtf8(options.screenshot).c_str());
      ok = false;
    }
  }
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  return ok;
}

}  // namespace korvanta::win32
