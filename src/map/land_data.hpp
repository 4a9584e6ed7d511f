#pragma once

#include <span>
#include <string_view>

#include "map/land.hpp"

namespace korvanta {

// The land's rings in the compact form that scripts/make-land-data writes into
// land_data.cpp. One string per ring: latitude and longitude in thousandths of
// a degree, point after point, the first as it is and every other as its
// difference from the one before. Each number is folded to a whole number
// (0, -1, 1, -2, ... become 0, 1, 2, 3, ...) and written five bits to a
// character of kLandCodeDigits, low bits first: one of the first 32 characters
// ends the number, one of the last 32 carries five bits and goes on.
inline constexpr std::string_view kLandCodeDigits =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
inline constexpr double kLandUnitsPerDegree = 1000;

std::span<const std::string_view> LandRingCodes(LandDetail detail);

}  // namespace korvanta
