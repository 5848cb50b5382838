#pragma once

#include <QDialog>
#include <QString>
#include <optional>

class QLineEdit;

namespace serialix {

// Modal: one line for a pattern ("http://example.com/vol[01-03]/page[01-12].jpg") that becomes
// the template on OK.
class PatternDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PatternDialog(const QString& pattern, QWidget* parent = nullptr);

  QString pattern() const;

 private:
  QLineEdit* pattern_ = nullptr;
};

// Shows the dialog with the text filled in; the text when the user presses OK, nothing on Cancel.
std::optional<QString> AskPattern(const QString& pattern, QWidget* parent);

}  // namespace serialix
