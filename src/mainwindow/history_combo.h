#pragma once

#include <QStringList>

class QComboBox;

namespace serialix {

// Appends an entry to a history combo's list without touching the text it shows
// (Qt would otherwise show the first entry added to an empty list).
void AppendHistoryEntry(QComboBox* combo, const QString& entry);

// The same for a whole list at once, as start-up fills a history: one insertion, however long.
void AppendHistoryEntries(QComboBox* combo, const QStringList& entries);

QStringList HistoryEntries(const QComboBox* combo);

}  // namespace serialix
