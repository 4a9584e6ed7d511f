#pragma once

#include <cstddef>
#include <iterator>
#include <string>

#include "route/tables.hpp"

namespace korvanta {

// The grid's columns: the waypoint table's fields.
inline constexpr std::size_t kGridColumns = std::size(WaypointTable::kFieldNames);

// The text a grid cell shows (UTF-8).
std::string GridCellText(const Waypoint& row, std::size_t column);

}  // namespace korvanta
