#include "win32/clipboard.hpp"

#include <cstring>
#include <string>

#include "app/wide_text.hpp"

namespace korvanta::win32 {

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

  bool open = false;
  for (int attempt = 0; attempt < 10 && !open; ++attempt) {
    open = OpenClipboard(owner) != FALSE;
    if (!open)
      Sleep(20);
  }
  if (!open) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  // The clipboard owns the memory once it has taken it.
  const bool taken = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  if (!taken)
    GlobalFree(memory);
  return taken;
}

}  // namespace korvanta::win32
