#pragma once

#include <QAbstractListModel>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/example_address.h"

namespace serialix {

// The digit runs of an example address as a list of check boxes. Rows are made when the view
// asks for them, so an address with hundreds of thousands of runs costs no item per run. At
// most kMaxChosenRuns runs are checked, and only runs that can become a counter.
class DigitRunModel : public QAbstractListModel {
  Q_OBJECT

 public:
  // `example` must outlive the model.
  explicit DigitRunModel(const ExampleAddress& example, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Refuses (false, nothing changes) a run that cannot be a counter and a run beyond the limit.
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  // The checked runs, in address order.
  const std::vector<std::size_t>& chosen() const { return chosen_; }

 signals:
  void choiceChanged();
  void tooManyChosen();

 private:
  const ExampleAddress& example_;
  std::vector<std::uint32_t> columns_;  // where each run starts, in characters from 1; empty for ASCII
  std::vector<std::size_t> chosen_;
};

}  // namespace serialix
