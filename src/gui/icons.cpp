#include "gui/icons.hpp"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace korvanta::gui {

namespace {

// Rendered here rather than through the SVG icon plugin, so the pictures do
// not depend on which plugins the system has.
QIcon SvgIcon(const QString& resource) {
  QSvgRenderer renderer(resource);
  QIcon icon;
  if (!renderer.isValid())
    return icon;
  for (const int size : {16, 24, 32, 48, 64, 128}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace

QIcon ProgramIcon() {
  return SvgIcon(QStringLiteral(":/icons/korvanta.svg"));
}

QIcon ConvertGlyph() {
  return SvgIcon(QStringLiteral(":/icons/convert.svg"));
}

}  // namespace korvanta::gui
