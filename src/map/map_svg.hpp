#pragma once

#include <string>

#include "map/map_picture.hpp"

namespace korvanta {

// The picture as a standalone SVG 1.1 document in UTF-8, drawn in the
// picture's order: the sea, the land, the graticule, the legs, the marks and
// the labels, each in a group with its id, every coordinate in pixels to a
// tenth. Marks and labels carry their route row ("mark-3", "label-3") and
// their kind as classes.
std::string MapSvg(const MapPicture& picture);

// A pixel coordinate to a tenth, whatever the locale: "12.3", "-0.5", "0.0".
std::string PixelText(double value);

}  // namespace korvanta
