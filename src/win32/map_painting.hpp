#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <gdiplus.h>

#include <cstddef>

#include "map/map_picture.hpp"

namespace korvanta::win32 {

// GDI+ started for as long as it lives; the painting below needs one.
class GdiplusSession {
 public:
  GdiplusSession();
  ~GdiplusSession();
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;

 private:
  ULONG_PTR token_ = 0;
};

// Paints the picture's primitives in their drawing order, antialiased, in
// the colours and strokes of the map's SVG: the sea, the land filled as one
// path by the even-odd rule, the graticule, the legs, the marks (the end
// airports apart) and the labels.
void PaintMap(Gdiplus::Graphics& graphics, const MapPicture& picture);

// Rings the marks of the route's row `row` over a painted picture: the grid's
// selected point.
void PaintRowRing(Gdiplus::Graphics& graphics, const MapPicture& picture, std::size_t row);

}  // namespace korvanta::win32
