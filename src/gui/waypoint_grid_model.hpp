#pragma once

#include <QAbstractTableModel>

#include "route/tables.hpp"

namespace korvanta::gui {

// The waypoint table Waypoints as the grid shows it: one row per record, one column
// per field in field order, titled with the field names, texts in UTF-8.
// The table belongs to the conversion run; Refresh() after it changed.
class WaypointGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit WaypointGridModel(const WaypointTable& waypoints, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  void Refresh();

 private:
  const WaypointTable& waypoints_;
  int rows_ = 0;  // what the view was last told; the table may have moved on
};

}  // namespace korvanta::gui
