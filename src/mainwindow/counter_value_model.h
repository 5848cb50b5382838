// The drop-down list of a counter combo in one fill style, written when a row is shown rather
// than stored: the window's six counter combos share three of these, so setting a list is O(1).
#pragma once

#include <QAbstractListModel>

#include "core/fill_style.h"

namespace serialix {

class CounterValueModel : public QAbstractListModel {
 public:
  CounterValueModel(FillStyle style, QObject* parent);

  FillStyle style() const { return style_; }
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  FillStyle style_;
};

}  // namespace serialix
