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
//
// Ready to project: every edge between neighbouring points is short on
// the globe, and a ring's longitudes run without a jump, so a ring across the
// antimeridian goes on past 180 (Chukotka at 190) rather than back to -180;
// each ring's westmost longitude lies in [-180, 180). Antarctica, which goes
// right round the South Pole, is closed through it: down the meridian where
// its outline starts, along the pole, and back up. A lake (the Caspian Sea)
// is a ring of its own inside its land, wound the other way: fill all rings
// as one path with the even-odd rule. Outer rings run clockwise with north up.
// A projection of the whole globe (azimuthal equidistant) turns a ring that
// holds the centre's antipode inside out: Africa for a centre in the middle
// of the Pacific, Antarctica for one in the Arctic. Leave out what lies near
// the antipode before filling.
struct LandShapes {
  std::vector<std::vector<GeoPoint>> rings;
};

// The land polygons built into the program, decoded from their compact form.
LandShapes BuiltInLand(LandDetail detail);

}  // namespace korvanta
