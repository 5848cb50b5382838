#include "mainwindow/history_combo.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace serialix {

void AppendHistoryEntry(QComboBox* combo, const QString& entry) {
  const QString shown = combo->currentText();
  if (combo->count() == 0 && entry != shown) {
    // Qt shows the first item added to an empty list, and its edit field lays the whole text
    // out: seconds for an entry of millions of characters. An empty first item takes that
    // turn and goes again, so the entry is never shown.
    const QSignalBlocker blocker(combo);
    combo->addItem(QString());
    combo->addItem(entry);
    combo->setCurrentIndex(-1);
    combo->removeItem(0);
    combo->setEditText(shown);
    return;
  }
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

void AppendHistoryEntries(QComboBox* combo, const QStringList& entries) {
  if (entries.isEmpty()) return;
  const QString shown = combo->currentText();
  const QSignalBlocker blocker(combo);
  // As above: an empty first item takes the turn of being shown, so no entry is laid out.
  const bool wasEmpty = combo->count() == 0;
  if (wasEmpty) combo->addItem(QString());
  combo->addItems(entries);
  if (wasEmpty) {
    combo->setCurrentIndex(-1);
    combo->removeItem(0);
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
