#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "route/tables.hpp"

namespace korvanta {

// Point kinds of the FSNavigator plan.
inline constexpr std::uint16_t kFsNavAirport = 64;
inline constexpr std::uint16_t kFsNavVor = 16;
inline constexpr std::uint16_t kFsNavNdb = 8;
inline constexpr std::uint16_t kFsNavFix = 4;

// The most en-route waypoints a plan can hold: its length is a 16-bit field.
inline constexpr std::size_t kFsNavMaxEnRoute = 1250;

// The FSNavigator ".fsn" plan of a route parsed in text mode: a binary image
// with 16-bit little-endian integers and single-precision coordinates at
// fixed offsets. Its length is 516 bytes plus 52 for every en-route waypoint.
// A route that the 16-bit offsets cannot describe is refused with RunError.
std::string WriteFsNavigatorPlan(const RouteHeader& header, const WaypointTable& waypoints);

}  // namespace korvanta
