#pragma once

#include <QStringList>

class QComboBox;

namespace serialix {

// Appends an entry to a history combo's list without touching the text it shows
// (Qt would otherwise show the first entry added to an empty list).
void AppendHistoryEntry(QComboBox* combo, const QString& entry);

QStringList HistoryEntries(const QComboBox* combo);

}  // namespace serialix
