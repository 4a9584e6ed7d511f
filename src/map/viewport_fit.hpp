#pragma once

#include "map/map_picture.hpp"
#include "map/projection.hpp"

namespace korvanta {

// The picture's size in pixels, and the margin kept free round the route.
struct MapSize {
  double width = 1000;
  double height = 700;
  double margin = 24;
};

// A box of the projection's plane: the route's extent.
struct PlaneBox {
  double west = 0;
  double south = 0;
  double east = 0;
  double north = 0;

  void Include(PlanePoint point);
  double Width() const { return east - west; }
  double Height() const { return north - south; }
};

// A route shorter than this (a single point, a hop round the field) is
// shown at this size, not blown up to fill the picture.
inline constexpr double kLeastViewNauticalMiles = 20;

// How the plane lands in the picture: the route's box centred, scaled to
// the room inside the margin keeping its shape, north up.
class ViewportFit {
 public:
  ViewportFit(const PlaneBox& route_box, const MapSize& size);

  MapPixel ToPixel(PlanePoint point) const {
    return {half_width_ + (point.x - centre_x_) * scale_,
            half_height_ - (point.y - centre_y_) * scale_};
  }
  PlanePoint ToPlane(MapPixel pixel) const {
    return {centre_x_ + (pixel.x - half_width_) / scale_,
            centre_y_ - (pixel.y - half_height_) / scale_};
  }
  double RadiansPerPixel() const { return 1 / scale_; }

 private:
  double centre_x_;
  double centre_y_;
  double half_width_;
  double half_height_;
  double scale_ = 1;
};

}  // namespace korvanta
