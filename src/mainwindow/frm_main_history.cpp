// The histories of the host, symbol and extension combos: what a run remembers, the delete
// buttons, and the entries start-up restores and close-down saves in set.ini.
#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

#include "core/history.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/history_model.h"

namespace serialix {
namespace {

HistoryModel* ModelOf(const QComboBox* combo) {
  return static_cast<HistoryModel*>(combo->model());
}

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
void AppendHistoryEntries(QComboBox* combo, std::vector<std::string> entries) {
  if (entries.empty()) return;
  const QString shown = combo->currentText();
  const QSignalBlocker blocker(combo);
  // As above: an empty first item takes the turn of being shown, so no entry is laid out.
  const bool wasEmpty = combo->count() == 0;
  if (wasEmpty) combo->addItem(QString());
  ModelOf(combo)->append(std::move(entries));
  if (wasEmpty) {
    combo->setCurrentIndex(-1);
    combo->removeItem(0);
    combo->setEditText(shown);
  }
}

void remember(QComboBox* combo) {
  const QString text = combo->currentText();
  if (IsNewHistoryEntry(ModelOf(combo)->entries(), text.toStdString())) AppendHistoryEntry(combo, text);
}

}  // namespace

std::array<frmMain::HistoryControls, 3> frmMain::histories() const {
  return {{{cmbB, cmdListC1}, {cmbK, cmdListC2}, {cmbN, cmdListC3}}};
}

void frmMain::setUpHistories() {
  for (const HistoryControls& h : histories()) {
    {
      // A new model empties the edit field; the designed text stays.
      const QString shown = h.combo->currentText();
      const QSignalBlocker blocker(h.combo);
      h.combo->setModel(new HistoryModel(h.combo));
      h.combo->setEditText(shown);
    }
    connect(h.combo, &QComboBox::editTextChanged, this, [this, h] { updateDeleteButton(h.combo, h.button); });
    connect(h.combo, &QComboBox::activated, this, [this, h] { updateDeleteButton(h.combo, h.button); });
    connect(h.button, &QPushButton::clicked, this, [this, h] { deleteHistoryEntry(h.combo, h.button); });
  }
}

void frmMain::rememberHistories() {
  for (const HistoryControls& h : histories()) remember(h.combo);
}

void frmMain::restoreHistories(std::array<std::vector<std::string>, 3> lists) {
  for (std::size_t i = 0; i < lists.size(); ++i) AppendHistoryEntries(histories()[i].combo, std::move(lists[i]));
}

std::array<const std::vector<std::string>*, 3> frmMain::historyLists() const {
  std::array<const std::vector<std::string>*, 3> lists;
  for (std::size_t i = 0; i < lists.size(); ++i) lists[i] = &ModelOf(histories()[i].combo)->entries();
  return lists;
}

void frmMain::updateDeleteButton(QComboBox* combo, QPushButton* button) {
  button->setEnabled(!combo->currentText().isEmpty());
}

void frmMain::deleteHistoryEntry(QComboBox* combo, QPushButton* button) {
  const QString text = combo->currentText();
  const std::vector<std::string>& entries = ModelOf(combo)->entries();
  const auto equal = std::find(entries.begin(), entries.end(), text.toStdString());
  if (equal != entries.end()) {
    const int row = static_cast<int>(equal - entries.begin());
    // Removing the shown entry must not change the combo's text (Qt would show a neighbour).
    {
      const QSignalBlocker blocker(combo);
      combo->removeItem(row);
      combo->setCurrentIndex(-1);
      combo->setEditText(text);
    }
    button->setEnabled(false);
    return;
  }
  // No entry (or no equal entry): the text is cleared, which disables the button.
  combo->setEditText(QString());
}

}  // namespace serialix
