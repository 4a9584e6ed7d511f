#include "win32/button_images.hpp"

#include <vsstyle.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace korvanta::win32 {

namespace {

// A button image list holds one picture per state of the button, in the
// order of the theme's push-button states from PBS_NORMAL.
constexpr int kButtonStates = 6;

// A pixel of a 32-bit top-down DIB: blue, green, red, alpha.
using Pixel = std::uint32_t;

// The icon's colour and mask bitmaps, released with it.
class IconBitmaps {
 public:
  explicit IconBitmaps(HICON icon) {
    if (GetIconInfo(icon, &info_) == FALSE)
      info_ = ICONINFO{};
  }
  ~IconBitmaps() {
    if (info_.hbmColor != nullptr)
      DeleteObject(info_.hbmColor);
    if (info_.hbmMask != nullptr)
      DeleteObject(info_.hbmMask);
  }
  IconBitmaps(const IconBitmaps&) = delete;
  IconBitmaps& operator=(const IconBitmaps&) = delete;

  HBITMAP Colour() const { return info_.hbmColor; }
  HBITMAP Mask() const { return info_.hbmMask; }

 private:
  ICONINFO info_{};
};

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// The bitmap's pixels as 32-bit colours, or empty when they cannot be read.
std::vector<Pixel> ReadPixels(HBITMAP bitmap, int width, int height) {
  std::vector<Pixel> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  BITMAPINFO info = TopDown32(width, height);
  const HDC screen = GetDC(nullptr);
  const int rows =
      GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != height)
    pixels.clear();
  return pixels;
}

// One channel of a grey of intensity `grey` half-way to a face whose
// channel is `face`: the picture stays legible, and plainly off.
std::uint32_t GreyOnFace(std::uint32_t grey, std::uint32_t face) {
  return (grey + face) / 2;
}

// The icon of these bitmaps in greys on the face, with its transparency.
HICON GreyedIcon(const IconBitmaps& bitmaps, int width, int height, COLORREF face) {
  std::vector<Pixel> pixels = ReadPixels(bitmaps.Colour(), width, height);
  if (pixels.empty())
    return nullptr;
  // An icon without an alpha channel is transparent where its mask is set.
  if (std::none_of(pixels.begin(), pixels.end(), [](Pixel p) { return (p >> 24) != 0; })) {
    const std::vector<Pixel> mask = ReadPixels(bitmaps.Mask(), width, height);
    if (mask.size() != pixels.size())
      return nullptr;
    for (std::size_t i = 0; i < pixels.size(); ++i)
      pixels[i] = (pixels[i] & 0xFFFFFF) | ((mask[i] & 0xFFFFFF) != 0 ? 0 : 0xFF000000U);
  }
  for (Pixel& pixel : pixels) {
    const std::uint32_t blue = pixel & 0xFF;
    const std::uint32_t green = (pixel >> 8) & 0xFF;
    const std::uint32_t red = (pixel >> 16) & 0xFF;
    const std::uint32_t grey =
        std::min<std::uint32_t>((77 * red + 150 * green + 28 * blue) / 255, 255);
    pixel = (pixel & 0xFF000000U) | (GreyOnFace(grey, GetRValue(face)) << 16) |
            (GreyOnFace(grey, GetGValue(face)) << 8) | GreyOnFace(grey, GetBValue(face));
  }

  BITMAPINFO info = TopDown32(width, height);
  void* bits = nullptr;
  const HBITMAP greyed = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (greyed == nullptr)
    return nullptr;
  std::memcpy(bits, pixels.data(), pixels.size() * sizeof(Pixel));
  // The alpha channel decides; a clear mask (rows of whole words) is enough.
  const std::vector<std::uint8_t> clear(
      static_cast<std::size_t>((width + 15) / 16) * 2 * static_cast<std::size_t>(height), 0);
  const HBITMAP mask = CreateBitmap(width, height, 1, 1, clear.data());
  ICONINFO made{};
  made.fIcon = TRUE;
  made.hbmColor = greyed;
  made.hbmMask = mask;
  const HICON result = mask != nullptr ? CreateIconIndirect(&made) : nullptr;
  DeleteObject(greyed);
  if (mask != nullptr)
    DeleteObject(mask);
  return result;
}

}  // namespace

HIMAGELIST MakeButtonImages(HICON icon, COLORREF face) {
  const IconBitmaps bitmaps(icon);
  BITMAP colour{};
  if (bitmaps.Colour() == nullptr ||
      GetObjectW(bitmaps.Colour(), sizeof(colour), &colour) != sizeof(colour))
    return nullptr;
  const HICON greyed = GreyedIcon(bitmaps, colour.bmWidth, colour.bmHeight, face);
  if (greyed == nullptr)
    return nullptr;
  HIMAGELIST images =
      ImageList_Create(colour.bmWidth, colour.bmHeight, ILC_COLOR32, kButtonStates, 0);
  for (int state = PBS_NORMAL; images != nullptr && state < PBS_NORMAL + kButtonStates; ++state) {
    if (ImageList_AddIcon(images, state == PBS_DISABLED ? greyed : icon) < 0) {
      ImageList_Destroy(images);
      images = nullptr;
    }
  }
  DestroyIcon(greyed);
  return images;
}

}  // namespace korvanta::win32
