#include <cmath>

#include "map/map_picture.hpp"

namespace korvanta {

std::optional<std::size_t> MarkAt(const MapPicture& picture, MapPixel pixel, double reach) {
  std::optional<std::size_t> nearest;
  double best = reach;
  for (const MapMark& mark : picture.marks) {
    const double distance = std::hypot(mark.at.x - pixel.x, mark.at.y - pixel.y);
    if (distance <= best) {
      best = distance;
      nearest = mark.row;
    }
  }
  return nearest;
}

}  // namespace korvanta
