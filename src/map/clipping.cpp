#include "map/clipping.hpp"

#include <algorithm>
#include <array>

namespace korvanta {

namespace {

// One side of the rectangle: the points kept lie on its inner side.
struct FrameSide {
  bool vertical;  // a left or right side: compares x
  double at;
  bool keeps_greater;

  bool Inside(MapPixel point) const {
    const double value = vertical ? point.x : point.y;
    return keeps_greater ? value >= at : value <= at;
  }

  MapPixel Crossing(MapPixel from, MapPixel to) const {
    if (vertical) {
      const double fraction = (at - from.x) / (to.x - from.x);
      return {at, from.y + fraction * (to.y - from.y)};
    }
    const double fraction = (at - from.y) / (to.y - from.y);
    return {from.x + fraction * (to.x - from.x), at};
  }
};

std::array<FrameSide, 4> SidesOf(const PixelRectangle& frame) {
  return {{{true, frame.left, true},
           {true, frame.right, false},
           {false, frame.top, true},
           {false, frame.bottom, false}}};
}

std::vector<MapPixel> ClipRingToSide(const std::vector<MapPixel>& ring, const FrameSide& side) {
  std::vector<MapPixel> kept;
  kept.reserve(ring.size() + 4);
  for (std::size_t index = 0; index < ring.size(); ++index) {
    const MapPixel from = ring[(index + ring.size() - 1) % ring.size()];
    const MapPixel to = ring[index];
    const bool from_inside = side.Inside(from);
    const bool to_inside = side.Inside(to);
    if (from_inside != to_inside)
      kept.push_back(side.Crossing(from, to));
    if (to_inside)
      kept.push_back(to);
  }
  return kept;
}

bool OutsideOneSide(const std::vector<MapPixel>& ring, const PixelRectangle& frame) {
  for (const FrameSide& side : SidesOf(frame)) {
    if (std::none_of(ring.begin(), ring.end(),
                     [&side](MapPixel point) { return side.Inside(point); }))
      return true;
  }
  return false;
}

}  // namespace

std::vector<MapPixel> ClipRing(const std::vector<MapPixel>& ring, const PixelRectangle& frame) {
  // Most of the world's coast lies wholly beside the picture: refused at once.
  if (ring.size() < 3 || OutsideOneSide(ring, frame))
    return {};
  std::vector<MapPixel> clipped = ring;
  for (const FrameSide& side : SidesOf(frame)) {
    clipped = ClipRingToSide(clipped, side);
    if (clipped.size() < 3)
      return {};
  }
  return clipped;
}

std::vector<std::vector<MapPixel>> ClipLine(const std::vector<MapPixel>& line,
                                            const PixelRectangle& frame) {
  std::vector<std::vector<MapPixel>> pieces;
  std::vector<MapPixel> piece;
  const auto end_piece = [&pieces, &piece]() {
    if (piece.size() >= 2)
      pieces.push_back(std::move(piece));
    piece.clear();
  };
  for (std::size_t index = 1; index < line.size(); ++index) {
    // The segment's part inside the frame (Liang and Barsky's parameters).
    const MapPixel from = line[index - 1];
    const MapPixel to = line[index];
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    double enter = 0;
    double leave = 1;
    bool visible = true;
    const std::array<std::array<double, 2>, 4> bounds = {{{-dx, from.x - frame.left},
                                                          {dx, frame.right - from.x},
                                                          {-dy, from.y - frame.top},
                                                          {dy, frame.bottom - from.y}}};
    for (const auto& [direction, room] : bounds) {
      if (direction == 0) {
        visible = visible && room >= 0;
      } else if (direction < 0) {
        enter = std::max(enter, room / direction);
      } else {
        leave = std::min(leave, room / direction);
      }
    }
    if (!visible || enter > leave) {
      end_piece();
      continue;
    }
    const MapPixel start{from.x + enter * dx, from.y + enter * dy};
    const MapPixel stop{from.x + leave * dx, from.y + leave * dy};
    if (enter > 0 || piece.empty()) {
      end_piece();
      piece.push_back(start);
    }
    piece.push_back(stop);
    if (leave < 1)
      end_piece();
  }
  end_piece();
  return pieces;
}

}  // namespace korvanta
