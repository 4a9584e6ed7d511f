#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>

#include "map/map_picture.hpp"
#include "map/viewport_fit.hpp"
#include "win32/map_painting.hpp"
#include "win32/memory_canvas.hpp"

namespace korvanta::win32 {

// The room the map keeps free round the route, in the picture's pixels.
inline constexpr double kMapViewMargin = 16;

// The route's map beside the grid: a child window of its own class that
// paints the picture a source builds at the window's size, rings the
// selected row's point over it, and reports a click on a mark. It draws
// primitives only; the picture comes whole from the source. Painting goes
// through a buffer, so resizing does not flicker.
class MapView {
 public:
  // The picture at a size (the window model's route map).
  using PictureSource = std::function<MapPicture(const MapSize&)>;
  // The route row of the mark the user clicked.
  using MarkClicked = std::function<void(std::size_t row)>;

  MapView(HINSTANCE instance, HWND parent, int id, PictureSource source, MarkClicked clicked);
  ~MapView();
  MapView(const MapView&) = delete;
  MapView& operator=(const MapView&) = delete;

  HWND Handle() const { return window_; }
  // The route changed: the picture is built again when next painted.
  void RouteChanged();
  // Rings the row's point; none: no ring.
  void MarkRow(std::optional<std::size_t> row);
  std::optional<std::size_t> MarkedRow() const { return marked_row_; }
  // The picture as the window shows it now, built at its size.
  const MapPicture& Picture();

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // Window pixels per picture pixel: the picture is built in pixels at the
  // design's DPI, so that its labels and marks keep their size at any DPI.
  double Scale() const;
  MapSize Size() const;
  void ForgetPicture();
  void Paint();
  // The route row of the mark at a point of the window, if one is there.
  std::optional<std::size_t> RowAt(POINT at);
  std::optional<std::size_t> RowUnderCursor();
  void Clicked(POINT at);

  GdiplusSession gdiplus_;
  PictureSource source_;
  MarkClicked clicked_;
  HWND window_ = nullptr;
  std::optional<MapPicture> picture_;  // none: to be built at the window's size
  // The picture painted at the window's size, kept until the picture changes;
  // the ring goes over a copy of it.
  std::optional<MemoryCanvas> layer_;
  std::optional<std::size_t> marked_row_;
};

}  // namespace korvanta::win32
