#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace serialix {

// One display of the save-file dialog.
struct SaveDialogRequest {
  QString title;
  QStringList filterDescriptions;  // shown to the user as given
  QStringList filterPatterns;      // one pattern per description, e.g. "*.txt"
  int selectedFilter = 0;          // zero-based
  QString folder;                  // the folder the dialog opens in
  QString proposedName;            // the file name it proposes (no folder)
  QString defaultSuffix;           // added by the dialog to a name typed without one; empty: none
};

// The save-file dialog, behind an interface so tests give the next answer.
class SaveDialog {
 public:
  virtual ~SaveDialog() = default;
  // The full path chosen, or nothing when the user cancelled.
  virtual std::optional<QString> ask(QWidget* parent, const SaveDialogRequest& request) = 0;
};

// QFileDialog in save mode, without its own overwrite question.
class QtSaveDialog : public SaveDialog {
 public:
  std::optional<QString> ask(QWidget* parent, const SaveDialogRequest& request) override;
};

}  // namespace serialix
