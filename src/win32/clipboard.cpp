#include "win32/clipboard.hpp"

#include <algorithm>
#include <cstring>
#include <string>

#include "io/wide_text.hpp"

namespace korvanta::win32 {

namespace {

// The clipboard, open for as long as this lives.
class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) {
    // Another program may hold it for a moment.
    for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
      open_ = OpenClipboard(owner) != FALSE;
      if (!open_)
        Sleep(20);
    }
  }
  ~OpenClipboardScope() {
    if (open_)
      CloseClipboard();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_ = false;
};

}  // namespace

bool PutClipboardText(HWND owner, std::string_view utf8) {
  const std::wstring wide = WideFromUtf8(utf8);
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr)
    return false;
  void* target = GlobalLock(memory);
  if (target == nullptr) {
    GlobalFree(memory);
    return false;
  }
  std::memcpy(target, wide.c_str(), bytes);
  GlobalUnlock(memory);

  const OpenClipboardScope clipboard(owner);
  if (!clipboard.IsOpen()) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  // The clipboard owns the memory once it has taken it.
  const bool taken = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  if (!taken)
    GlobalFree(memory);
  return taken;
}

std::string ReadClipboardText(HWND owner) {
  const OpenClipboardScope clipboard(owner);
  if (!clipboard.IsOpen())
    return {};
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (data == nullptr)
    return {};
  const auto* text = static_cast<const wchar_t*>(GlobalLock(data));
  if (text == nullptr)
    return {};
  // Up to the terminating NUL, and never beyond the memory block.
  const std::size_t capacity = GlobalSize(data) / sizeof(wchar_t);
  const std::wstring_view wide(text, std::find(text, text + capacity, L'\0') - text);
  std::string utf8 = Utf8FromWide(wide);
  GlobalUnlock(data);
  return utf8;
}

}  // namespace korvanta::win32
