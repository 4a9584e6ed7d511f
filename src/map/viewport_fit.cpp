#include "map/viewport_fit.hpp"

#include <algorithm>

#include "map/great_circle.hpp"

namespace korvanta {

void PlaneBox::Include(PlanePoint point) {
  west = std::min(west, point.x);
  east = std::max(east, point.x);
  south = std::min(south, point.y);
  north = std::max(north, point.y);
}

ViewportFit::ViewportFit(const PlaneBox& route_box, const MapSize& size)
    : centre_x_((route_box.west + route_box.east) / 2),
      centre_y_((route_box.south + route_box.north) / 2),
      half_width_(size.width / 2),
      half_height_(size.height / 2) {
  const double least_extent = kLeastViewNauticalMiles / kNauticalMilesPerRadian;
  const double room_x = std::max(1.0, size.width - 2 * size.margin);
  const double room_y = std::max(1.0, size.height - 2 * size.margin);
  scale_ = std::min(room_x / std::max(route_box.Width(), least_extent),
                    room_y / std::max(route_box.Height(), least_extent));
}

}  // namespace korvanta
