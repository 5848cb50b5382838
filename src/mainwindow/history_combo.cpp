#include "mainwindow/history_combo.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace serialix {

void AppendHistoryEntry(QComboBox* combo, const QString& entry) {
  const QString shown = combo->currentText();
  {
    const QSignalBlocker blocker(combo);
    combo->addItem(entry);
  }
  if (combo->currentText() != shown) {
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(-1);
    combo->setEditText(shown);
  }
}

QStringList HistoryEntries(const QComboBox* combo) {
  QStringList entries;
  entries.reserve(combo->count());
  for (int i = 0; i < combo->count(); ++i) entries << combo->itemText(i);
  return entries;
}

}  // namespace serialix
