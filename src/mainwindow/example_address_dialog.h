#pragma once

#include <QDialog>
#include <QString>
#include <cstddef>
#include <optional>
#include <vector>

#include "core/example_address.h"

class QLabel;
class QLineEdit;
class QListView;
class QTableWidget;

namespace serialix {

class DigitRunModel;

// Modal: the user picks up to three digit runs of an example address and sees, live, the
// fourteen segments the window would get, the template's first address and what cannot be kept.
class ExampleAddressDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ExampleAddressDialog(ExampleAddress example, QWidget* parent = nullptr);
  ~ExampleAddressDialog() override;

  std::vector<std::size_t> chosenRuns() const;
  // The template for the runs checked now.
  TemplateProposal proposal() const;

 private:
  void showProposal();

  ExampleAddress example_;
  QLineEdit* address_ = nullptr;
  DigitRunModel* runModel_ = nullptr;
  QListView* runs_ = nullptr;
  QLabel* limitNote_ = nullptr;
  QTableWidget* segments_ = nullptr;
  QLabel* links_ = nullptr;
  QLineEdit* firstAddress_ = nullptr;
  QLabel* notes_ = nullptr;
};

// Shows the dialog; the proposal when the user presses OK, nothing on Cancel.
std::optional<TemplateProposal> AskTemplateFromExample(ExampleAddress example, QWidget* parent);

}  // namespace serialix
