// The list of a history combo (host, symbol, extension): the entries as the UTF-8 texts set.ini
// was decoded to, each made into a QString only when the combo shows or reads its row. A million
// entries then cost their text and no per-row item, and the close reads them without a copy.
#pragma once

#include <QAbstractListModel>
#include <string>
#include <vector>

namespace serialix {

class HistoryModel : public QAbstractListModel {
 public:
  explicit HistoryModel(QObject* parent);

  const std::vector<std::string>& entries() const { return entries_; }
  // Appends the entries at the end in one insertion, however many.
  void append(std::vector<std::string> entries);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  // What QComboBox::addItem and removeItem use.
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  bool insertRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
  bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

 private:
  std::vector<std::string> entries_;
};

}  // namespace serialix
