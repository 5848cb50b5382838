#include "mainwindow/counter_value_model.h"

namespace serialix {

CounterValueModel::CounterValueModel(FillStyle style, QObject* parent) : QAbstractListModel(parent), style_(style) {}

int CounterValueModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(CounterValueCount(style_));
}

QVariant CounterValueModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};  // a combo asks for row -1 when none is current
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  return QString::fromStdString(FormatCounterValue(index.row(), style_));
}

}  // namespace serialix
