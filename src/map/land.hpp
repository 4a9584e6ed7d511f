#pragma once

#include <cstddef>
#include <vector>

namespace korvanta {

// A place on the globe in degrees, north and east positive.
struct GeoPoint {
  double latitude = 0;
  double longitude = 0;
};

// How fine the land's outline is: Natural Earth's 1:110 million and 1:50
// million land polygons.
enum class LandDetail { kCoarse, kFine };

// The world's land: closed rings of coast, each ring's first point not
// repeated at its end.
struct LandShapes {
  std::vector<std::vector<GeoPoint>> rings;
};

// The land polygons built into the program, decoded from their compact form.
LandShapes BuiltInLand(LandDetail detail);

}  // namespace korvanta
