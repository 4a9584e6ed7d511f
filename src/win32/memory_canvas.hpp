#pragma once

#include <windows.h>

namespace korvanta::win32 {

// A bitmap of a size to draw on off the screen, like `like`, with the device
// context that draws on it; both go with it.
class MemoryCanvas {
 public:
  MemoryCanvas(HDC like, SIZE size);
  ~MemoryCanvas();
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;

  HDC Dc() const { return dc_; }
  SIZE Size() const { return size_; }
  // Copies the whole canvas onto `target` at its top left.
  void CopyTo(HDC target) const;

 private:
  SIZE size_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ replaced_;
};

}  // namespace korvanta::win32
