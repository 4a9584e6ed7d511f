#pragma once

#include <vector>

#include "map/clipping.hpp"
#include "map/land.hpp"
#include "map/projection.hpp"
#include "map/viewport_fit.hpp"

namespace korvanta {

// The land's rings as the picture fills them, by the even-odd rule, clipped
// to the frame. A ring round the projection's centre at more than a quarter
// of the globe away encloses the far side: its land lies between it and the
// antipode, so it is drawn as the frame with the ring cut out of it.
std::vector<std::vector<MapPixel>> ProjectedLand(const LandShapes& shapes,
                                                 const AzimuthalEquidistant& projection,
                                                 const ViewportFit& fit,
                                                 const PixelRectangle& frame);

}  // namespace korvanta
