#include "window/grid_cells.hpp"

namespace korvanta {

std::string GridCellText(const Waypoint& row, std::size_t column) {
  switch (column) {
    case 0:
      return row.id;
    case 1:
      return row.lat;
    case 2:
      return row.lon;
    case 3:
      return std::to_string(row.alt);
    case 4:
      return row.route;
    case 5:
      return std::string(1, KindLetter(row.kind));
    case 6:
      return row.freq;
    case 7:
      return row.track;
    default:
      return {};
  }
}

}  // namespace korvanta
