#include "gui/waypoint_grid_model.hpp"

#include <string>

#include "window/window_model.hpp"

namespace korvanta::gui {

namespace {

constexpr int kColumns = static_cast<int>(kGridColumns);

}  // namespace

WaypointGridModel::WaypointGridModel(const WaypointTable& waypoints, QObject* parent)
    : QAbstractTableModel(parent), waypoints_(waypoints) {
  rows_ = static_cast<int>(waypoints_.Count());
}

int WaypointGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int WaypointGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant WaypointGridModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid())
    return {};
  const auto row = static_cast<std::size_t>(index.row());
  if (row >= waypoints_.Count())
    return {};
  const std::string text = GridCellText(waypoints_[row], static_cast<std::size_t>(index.column()));
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QVariant WaypointGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole)
    return {};
  if (orientation == Qt::Horizontal) {
    if (section < 0 || section >= kColumns)
      return {};
    return QString::fromLatin1(WaypointTable::kFieldNames[section]);
  }
  return section + 1;
}

void WaypointGridModel::Refresh() {
  beginResetModel();
  rows_ = static_cast<int>(waypoints_.Count());
  endResetModel();
}

}  // namespace korvanta::gui
