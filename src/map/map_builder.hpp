#pragma once

#include "map/land.hpp"
#include "map/map_picture.hpp"
#include "map/viewport_fit.hpp"
#include "route/tables.hpp"

namespace korvanta {

// The land in both details; the picture takes the one that suits the route.
struct MapLand {
  LandShapes coarse;
  LandShapes fine;
};

// The land built into the program, in both details.
MapLand BuiltInMapLand();

// Routes spanning more than this are drawn over the coarse land: at that
// scale the fine coast adds nothing a pilot can see, only drawing time.
inline constexpr double kFineLandSpanNauticalMiles = 1500;

// The route as the primitives a view draws: projected about the route's
// middle, fitted into the picture with the margin keeping its shape, the
// land and the graticule clipped to the picture, every leg a great-circle
// arc, every point marked (the departure and destination apart) and as many
// identifiers as fit beside their marks. An empty route gives an empty
// picture of the size.
MapPicture BuildMapPicture(const WaypointTable& route, const MapSize& size, const MapLand& land);

}  // namespace korvanta
