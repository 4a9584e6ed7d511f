#pragma once

#include <vector>

#include "map/land.hpp"

namespace korvanta {

// The graticule's spacing in degrees for a view `view_degrees` of arc
// across: the finest of 1, 2, 5, 10, 15 and 30 degrees that draws no more
// than eight lines across the view.
double GraticuleSpacing(double view_degrees);

// The meridians and parallels every `spacing_degrees` that reach into the
// cap of `radius_radians` about `centre` (the part of the globe the view
// can show), each as a line of places close enough together to be drawn
// straight between them.
std::vector<std::vector<GeoPoint>> GraticuleLines(double spacing_degrees, GeoPoint centre,
                                                  double radius_radians);

}  // namespace korvanta
