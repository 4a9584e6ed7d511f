#pragma once

#include <vector>

#include "map/map_picture.hpp"

namespace korvanta {

// An upright rectangle of the picture, in pixels.
struct PixelRectangle {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

// The part of a closed ring inside the rectangle, as one ring whose edges run
// along the rectangle where the ring leaves it, so that filling it fills what
// the whole ring fills there. Empty when nothing of it is inside (or what is
// left has no area).
std::vector<MapPixel> ClipRing(const std::vector<MapPixel>& ring, const PixelRectangle& frame);

// The pieces of an open line inside the rectangle, each an open line.
std::vector<std::vector<MapPixel>> ClipLine(const std::vector<MapPixel>& line,
                                            const PixelRectangle& frame);

}  // namespace korvanta
