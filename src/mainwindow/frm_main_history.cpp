// The histories of the host, symbol and extension combos: what a run remembers, the delete
// buttons, and the entries start-up restores and close-down saves in set.ini.
#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>

#include "core/history.h"
#include "mainwindow/frm_main.h"
#include "platform/services/large_text.h"
#include "settings/settings.h"

namespace serialix {
namespace {

// Appends an entry to a history combo's list without touching the text it shows
// (Qt would otherwise show the first entry added to an empty list).
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

// The same for a whole list at once, as start-up fills a history: one insertion, however long.
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

void remember(QComboBox* combo) {
  std::vector<std::string> history;
  history.reserve(static_cast<std::size_t>(combo->count()));
  for (int i = 0; i < combo->count(); ++i) history.push_back(combo->itemText(i).toStdString());
  const QString text = combo->currentText();
  if (RememberInHistory(history, text.toStdString())) AppendHistoryEntry(combo, text);
}

}  // namespace

std::array<frmMain::HistoryControls, 3> frmMain::histories() const {
  return {{{cmbB, cmdListC1}, {cmbK, cmdListC2}, {cmbN, cmdListC3}}};
}

void frmMain::connectHistoryHandlers() {
  for (const HistoryControls& h : histories()) {
    connect(h.combo, &QComboBox::editTextChanged, this, [this, h] { updateDeleteButton(h.combo, h.button); });
    connect(h.combo, &QComboBox::activated, this, [this, h] { updateDeleteButton(h.combo, h.button); });
    connect(h.button, &QPushButton::clicked, this, [this, h] { deleteHistoryEntry(h.combo, h.button); });
  }
}

void frmMain::rememberHistories() {
  for (const HistoryControls& h : histories()) remember(h.combo);
}

void frmMain::restoreHistories(const StoredSettings& stored) {
  const std::vector<std::string>* lists[] = {&stored.hosts, &stored.symbols, &stored.extensions};
  for (std::size_t i = 0; i < std::size(lists); ++i) {
    QStringList entries;
    entries.reserve(static_cast<qsizetype>(lists[i]->size()));
    for (const std::string& entry : *lists[i]) entries.push_back(LargeUtf8ToQString(entry));
    AppendHistoryEntries(histories()[i].combo, entries);
  }
}

std::array<std::vector<std::string>, 3> frmMain::historyLists() const {
  std::array<std::vector<std::string>, 3> lists;
  for (std::size_t i = 0; i < lists.size(); ++i) {
    const QComboBox* combo = histories()[i].combo;
    lists[i].reserve(static_cast<std::size_t>(combo->count()));
    for (int row = 0; row < combo->count(); ++row) lists[i].push_back(combo->itemText(row).toStdString());
  }
  return lists;
}

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
