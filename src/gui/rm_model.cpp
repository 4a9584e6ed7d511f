#include "gui/rm_model.hpp"

#include <iterator>

#include "route/cp1252.hpp"

namespace korvanta::gui {

namespace {

constexpr int kColumns = static_cast<int>(std::size(RmTable::kFieldNames));

QString Text(const std::string& cp1252) {
  return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

QVariant Field(const RmRow& row, int column) {
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
      return Text(row.typ);
    case 6:
      return Text(row.freq);
    case 7:
      return Text(row.track);
    default:
      return {};
  }
}

}  // namespace

RmModel::RmModel(const RmTable& rm, QObject* parent) : QAbstractTableModel(parent), rm_(rm) {
  rows_ = static_cast<int>(rm_.Count());
}

int RmModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int RmModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant RmModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid())
    return {};
  const auto row = static_cast<std::size_t>(index.row());
  if (row >= rm_.Count())
    return {};
  return Field(rm_[row], index.column());
}

QVariant RmModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole)
    return {};
  if (orientation == Qt::Horizontal) {
    if (section < 0 || section >= kColumns)
      return {};
    return QString::fromLatin1(RmTable::kFieldNames[section]);
  }
  return section + 1;
}

void RmModel::Refresh() {
  beginResetModel();
  rows_ = static_cast<int>(rm_.Count());
  endResetModel();
}

}  // namespace korvanta::gui
