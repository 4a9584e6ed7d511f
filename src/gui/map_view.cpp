#include "gui/map_view.hpp"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <utility>
#include <vector>

#include "map/map_style.hpp"

namespace korvanta::gui {

namespace {

// The colours and strokes of the command line's SVG picture, so that the
// window and the file show the same map.
QColor Colour(const MapColour& colour) {
  return QColor(colour.red, colour.green, colour.blue);
}
const QColor kSeaColour = Colour(kMapSeaColour);
const QColor kLandColour = Colour(kMapLandColour);
const QColor kGraticuleColour = Colour(kMapGraticuleColour);
const QColor kLegColour = Colour(kMapLegColour);
const QColor kInkColour = Colour(kMapInkColour);
const QColor kMarkFillColour = Colour(kMapMarkFillColour);
constexpr double kGraticuleStroke = kMapGraticuleStroke;
constexpr double kLegStroke = kMapLegStroke;
constexpr double kMarkStroke = kMapMarkStroke;
// The selected row's ring: apart from the legs' red and the marks' ink, a
// little outside the mark so that the mark itself still shows, and under the
// marks and labels so that a label beside it stays readable.
const QColor kSelectionColour(0x1f, 0x6f, 0xd1);
constexpr double kSelectionStroke = 2.5;
constexpr double kSelectionGapPixels = 3;
// The room kept round the route: enough for a label beside an end point
// where the view is wide enough, less where it is small.
constexpr double kMarginPixels = 24;
constexpr double kMarginShareOfSide = 0.1;

QPointF Point(MapPixel pixel) {
  return {pixel.x, pixel.y};
}

QPolygonF Polyline(const std::vector<MapPixel>& line) {
  QPolygonF polyline;
  polyline.reserve(static_cast<qsizetype>(line.size()));
  for (const MapPixel pixel : line)
    polyline << Point(pixel);
  return polyline;
}

// Every ring in one path, filled by the even-odd rule: a lake's ring inside
// its land's ring stays water.
void DrawLand(QPainter& painter, const std::vector<std::vector<MapPixel>>& rings) {
  QPainterPath land;
  land.setFillRule(Qt::OddEvenFill);
  for (const std::vector<MapPixel>& ring : rings) {
    land.addPolygon(Polyline(ring));
    land.closeSubpath();
  }
  painter.fillPath(land, kLandColour);
}

void DrawLines(QPainter& painter, const std::vector<std::vector<MapPixel>>& lines,
               const QPen& pen) {
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  for (const std::vector<MapPixel>& line : lines)
    painter.drawPolyline(Polyline(line));
}

double MarkRadius(const MapMark& mark) {
  return mark.end_airport ? kMapEndMarkRadiusPixels : kMapMarkRadiusPixels;
}

// A white disc for a route point, an ink one for the departure and the
// destination.
void DrawMarks(QPainter& painter, const std::vector<MapMark>& marks) {
  painter.setPen(QPen(kInkColour, kMarkStroke));
  for (const MapMark& mark : marks) {
    painter.setBrush(mark.end_airport ? kInkColour : kMarkFillColour);
    const double radius = MarkRadius(mark);
    painter.drawEllipse(Point(mark.at), radius, radius);
  }
}

// Each label's text on the baseline a font of the box's height has, at
// eight tenths of the box; a font wider than the picture allowed for is
// narrowed to the box, so that no text runs over a mark or another label.
void DrawLabels(QPainter& painter, const std::vector<MapLabel>& labels) {
  QFont font(QStringLiteral("monospace"));
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(static_cast<int>(kMapLabelFontPixels));
  painter.setFont(font);
  painter.setPen(kInkColour);
  const QFontMetricsF metrics(font);
  for (const MapLabel& label : labels) {
    const QString text = QString::fromStdString(label.text);
    const double advance = metrics.horizontalAdvance(text);
    painter.save();
    painter.translate(label.top_left.x, label.top_left.y + label.height * 0.8);
    if (advance > label.width && advance > 0)
      painter.scale(label.width / advance, 1);
    painter.drawText(QPointF(0, 0), text);
    painter.restore();
  }
}

void DrawSelection(QPainter& painter, const MapMark& mark) {
  painter.setPen(QPen(kSelectionColour, kSelectionStroke));
  painter.setBrush(Qt::NoBrush);
  const double radius = MarkRadius(mark) + kSelectionGapPixels;
  painter.drawEllipse(Point(mark.at), radius, radius);
}

}  // namespace

MapView::MapView(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setFocusPolicy(Qt::NoFocus);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  // The pointer shows where a click selects a row.
  setMouseTracking(true);
}

void MapView::SetPictureSource(PictureSource source) {
  source_ = std::move(source);
  picture_.reset();
  update();
}

void MapView::ShowRoute(const WaypointTable& route) {
  SelectRow(std::nullopt);
  std::vector<DrawnPoint> points;
  points.reserve(route.Count());
  for (const Waypoint& row : route)
    points.push_back({row.id, row.kind, row.position});
  if (points == drawn_points_)
    return;
  drawn_points_ = std::move(points);
  picture_.reset();
  update();
}

void MapView::SelectRow(std::optional<std::size_t> row) {
  if (row == selected_row_)
    return;
  selected_row_ = row;
  update();
}

MapSize MapView::PictureSize() const {
  const QRect inside = contentsRect();
  const double width = std::max(0, inside.width());
  const double height = std::max(0, inside.height());
  const double margin = std::min(kMarginPixels, kMarginShareOfSide * std::min(width, height));
  return {width, height, margin};
}

const MapPicture& MapView::Picture() {
  if (!picture_) {
    const MapSize size = PictureSize();
    if (source_) {
      picture_ = source_(size);
    } else {
      picture_.emplace();
      picture_->width = size.width;
      picture_->height = size.height;
    }
  }
  return *picture_;
}

void MapView::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  const MapPicture& picture = Picture();
  const QRect inside = contentsRect();
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setClipRect(inside);
  painter.translate(inside.topLeft());
  painter.fillRect(QRectF(0, 0, picture.width, picture.height), kSeaColour);
  DrawLand(painter, picture.land);
  DrawLines(painter, picture.graticule, QPen(kGraticuleColour, kGraticuleStroke));
  QPen leg_pen(kLegColour, kLegStroke);
  leg_pen.setJoinStyle(Qt::RoundJoin);
  leg_pen.setCapStyle(Qt::FlatCap);
  DrawLines(painter, picture.legs, leg_pen);
  const auto selected =
      std::find_if(picture.marks.begin(), picture.marks.end(),
                   [&](const MapMark& mark) { return mark.row == selected_row_; });
  if (selected != picture.marks.end())
    DrawSelection(painter, *selected);
  DrawMarks(painter, picture.marks);
  DrawLabels(painter, picture.labels);
}

void MapView::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  picture_.reset();
}

std::optional<std::size_t> MapView::MarkUnder(QPointF at) {
  const QPointF inside = at - contentsRect().topLeft();
  return MarkAt(Picture(), {inside.x(), inside.y()});
}

void MapView::mousePressEvent(QMouseEvent* event) {
  QFrame::mousePressEvent(event);
  if (event->button() != Qt::LeftButton)
    return;
  if (const std::optional<std::size_t> row = MarkUnder(event->position()))
    emit MarkClicked(*row);
}

void MapView::mouseMoveEvent(QMouseEvent* event) {
  QFrame::mouseMoveEvent(event);
  if (MarkUnder(event->position()))
    setCursor(Qt::PointingHandCursor);
  else
    unsetCursor();
}

}  // namespace korvanta::gui
