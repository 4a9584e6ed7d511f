#pragma once

#include <QFrame>
#include <QPointF>

#include <cstddef>
#include <functional>
#include <optional>

#include "map/map_picture.hpp"
#include "map/viewport_fit.hpp"

namespace korvanta::gui {

// The route's map beside the grid: the picture of the route drawn at the
// view's size, with the selected row's mark ringed over it. A click on a
// mark says which row it marks; the view knows no geography, only the
// picture's primitives.
class MapView : public QFrame {
  Q_OBJECT

 public:
  // Builds the picture of the route the grid shows at a size.
  using PictureSource = std::function<MapPicture(const MapSize&)>;

  explicit MapView(QWidget* parent = nullptr);

  void SetPictureSource(PictureSource source);
  // The route changed: the picture is built again, and no row is selected.
  void RouteChanged();
  void SelectRow(std::optional<std::size_t> row);
  std::optional<std::size_t> SelectedRow() const { return selected_row_; }
  // The size the picture is built at: the inside of the view's frame.
  MapSize PictureSize() const;
  // The picture at the view's present size, built when first asked for.
  const MapPicture& Picture();

 signals:
  // The user clicked the mark of `row`.
  void MarkClicked(std::size_t row);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  // The row of the mark under `at`, a point of the view.
  std::optional<std::size_t> MarkUnder(QPointF at);

  PictureSource source_;
  std::optional<MapPicture> picture_;
  std::optional<std::size_t> selected_row_;
};

}  // namespace korvanta::gui
