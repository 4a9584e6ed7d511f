#include "gui/waypoint_grid_model.hpp"

#include <iterator>

namespace korvanta::gui {

namespace {

constexpr int kColumns = static_cast<int>(std::size(WaypointTable::kFieldNames));

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

QVariant Field(const Waypoint& row, int column) {
  switch (column) {
    case 0:
      return Text(row.id);
    case 1:
      return Text(row.lat);
    case 2:
      return Text(row.lon);
    case 3:
      return row.alt;
    case 4:
      return Text(row.route);
    case 5:
      return Text(row.kind);
    case 6:
      return Text(row.freq);
    case 7:
      return Text(row.track);
    default:
      return {};
  }
}

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
  return Field(waypoints_[row], index.column());
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
