#pragma once

#include <QFrame>
#include <QPointF>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "map/map_picture.hpp"
#include "map/viewport_fit.hpp"
#include "route/position.hpp"
#include "route/tables.hpp"

namespace korvanta::gui {

// The route's map beside the grid: the picture of the route drawn at the
// view's size, with the selected row's mark ringed over it. A click on a
// mark says which row it marks. The view projects nothing itself: it draws
// the picture's primitives.
class MapView : public QFrame {
  Q_OBJECT

 public:
  // Builds the picture of the route the grid shows at a size.
  using PictureSource = std::function<MapPicture(const MapSize&)>;

  explicit MapView(QWidget* parent = nullptr);

  void SetPictureSource(PictureSource source);
  // The grid drew `route` again (a run does so at each of its pauses): the
  // picture is built again only when the points it draws changed. The grid's
  // selection is gone either way.
  void ShowRoute(const WaypointTable& route);
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

  // What the picture draws of a route's row.
  struct DrawnPoint {
    std::string id;
    WaypointKind kind = WaypointKind::kIntersection;
    Position position;
    bool operator==(const DrawnPoint&) const = default;
  };

  PictureSource source_;
  std::vector<DrawnPoint> drawn_points_;
  std::optional<MapPicture> picture_;
  std::optional<std::size_t> selected_row_;
};

}  // namespace korvanta::gui
