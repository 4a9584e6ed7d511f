#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "map/land.hpp"
#include "route/tables.hpp"

namespace korvanta {

// A point of the picture in pixels, x to the right and y down.
struct MapPixel {
  double x = 0;
  double y = 0;
};

// A route point's mark on the map.
struct MapMark {
  MapPixel at;
  WaypointKind kind = WaypointKind::kIntersection;
  bool end_airport = false;  // the departure or the destination: drawn apart
  std::size_t row = 0;       // the route's waypoint row it marks
};

// A point's identifier, placed beside its mark; `top_left` and the size are
// the box the text takes (in the picture's font, kMapLabelFontPixels high).
struct MapLabel {
  std::string text;
  MapPixel top_left;
  double width = 0;
  double height = 0;
  std::size_t row = 0;
};

inline constexpr double kMapLabelFontPixels = 11;
// A label's width is its characters times this advance: a monospaced font of
// kMapLabelFontPixels advances 0.6 of its height, and a view draws labels in a
// font no wider, so a label never reaches beyond the box it was given.
inline constexpr double kMapLabelAdvancePixels = 7;
// A mark's half size: a route point's, and the departure's and destination's.
inline constexpr double kMapMarkRadiusPixels = 3;
inline constexpr double kMapEndMarkRadiusPixels = 5;

// What a view draws, in drawing order: the land filled, the graticule's
// lines, the legs' great-circle arcs, the marks, the labels.
struct MapPicture {
  double width = 0;
  double height = 0;
  // Closed rings, filled together by the even-odd rule, so that a lake's
  // ring inside its land's ring stays water.
  std::vector<std::vector<MapPixel>> land;
  std::vector<std::vector<MapPixel>> graticule;  // open lines
  std::vector<std::vector<MapPixel>> legs;       // one open line per leg
  std::vector<MapMark> marks;
  std::vector<MapLabel> labels;

  std::size_t PrimitiveCount() const {
    return land.size() + graticule.size() + legs.size() + marks.size() + labels.size();
  }
};

// The route row of the mark nearest to `pixel` within `reach` pixels (a
// click on the map); none when no mark is that near.
std::optional<std::size_t> MarkAt(const MapPicture& picture, MapPixel pixel, double reach = 6);

}  // namespace korvanta
