// The history delete buttons of the host, symbol and extension combos.
#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>

#include "mainwindow/frm_main.h"

namespace serialix {

void frmMain::updateDeleteButton(QComboBox* combo, QPushButton* button) {
  button->setEnabled(!combo->currentText().isEmpty());
}

void frmMain::deleteHistoryEntry(QComboBox* combo, QPushButton* button) {
  const QString text = combo->currentText();
  for (int i = 0; i < combo->count(); ++i) {
    if (combo->itemText(i) == text) {
      // Removing the shown entry must not change the combo's text (Qt would show a neighbour).
      {
        const QSignalBlocker blocker(combo);
        combo->removeItem(i);
        combo->setCurrentIndex(-1);
        combo->setEditText(text);
      }
      button->setEnabled(false);
      return;
    }
  }
  // No entry (or no equal entry): the text is cleared, which disables the button.
  combo->setEditText(QString());
}

}  // namespace serialix
