#include "win32/memory_canvas.hpp"

namespace korvanta::win32 {

MemoryCanvas::MemoryCanvas(HDC like, SIZE size)
    : size_(size),
      dc_(CreateCompatibleDC(like)),
      bitmap_(CreateCompatibleBitmap(like, size.cx, size.cy)),
      replaced_(SelectObject(dc_, bitmap_)) {}

MemoryCanvas::~MemoryCanvas() {
  SelectObject(dc_, replaced_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

void MemoryCanvas::CopyTo(HDC target) const {
  BitBlt(target, 0, 0, size_.cx, size_.cy, dc_, 0, 0, SRCCOPY);
}

}  // namespace korvanta::win32
