#include "mainwindow/history_model.h"

#include <iterator>

#include "platform/services/large_text.h"

namespace serialix {

HistoryModel::HistoryModel(QObject* parent) : QAbstractListModel(parent) {}

void HistoryModel::append(std::vector<std::string> entries) {
  if (entries.empty()) return;
  const int first = rowCount();
  beginInsertRows(QModelIndex(), first, first + static_cast<int>(entries.size()) - 1);
  if (entries_.empty()) {
    entries_ = std::move(entries);
  } else {
    entries_.insert(entries_.end(), std::make_move_iterator(entries.begin()), std::make_move_iterator(entries.end()));
  }
  endInsertRows();
}

int HistoryModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant HistoryModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};  // a combo asks for row -1 when none is current
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  return LargeUtf8ToQString(entries_[static_cast<std::size_t>(index.row())]);
}

bool HistoryModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || index.row() >= rowCount() || (role != Qt::DisplayRole && role != Qt::EditRole)) return false;
  entries_[static_cast<std::size_t>(index.row())] = value.toString().toStdString();
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  return true;
}

bool HistoryModel::insertRows(int row, int count, const QModelIndex& parent) {
  if (parent.isValid() || row < 0 || row > rowCount() || count < 1) return false;
  beginInsertRows(QModelIndex(), row, row + count - 1);
  entries_.insert(entries_.begin() + row, static_cast<std::size_t>(count), std::string());
  endInsertRows();
  return true;
}

bool HistoryModel::removeRows(int row, int count, const QModelIndex& parent) {
  if (parent.isValid() || row < 0 || count < 1 || row + count > rowCount()) return false;
  beginRemoveRows(QModelIndex(), row, row + count - 1);
  entries_.erase(entries_.begin() + row, entries_.begin() + row + count);
  endRemoveRows();
  return true;
}

}  // namespace serialix
