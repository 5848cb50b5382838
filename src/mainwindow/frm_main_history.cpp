// The histories of the host, symbol and extension combos: what a run remembers, the delete
// buttons, and the entries start-up restores and close-down walks for set.ini.
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
    for (const std::string& entry : *lists[i]) AppendHistoryEntry(histories()[i].combo, LargeUtf8ToQString(entry));
  }
}

std::array<std::vector<std::string>, 3> frmMain::walkHistories() {
  std::array<std::vector<std::string>, 3> walked;
  for (std::size_t i = 0; i < walked.size(); ++i) {
    // Selecting each entry shows it in the combo, as the save walks the lists.
    QComboBox* combo = histories()[i].combo;
    for (int row = 0; row < combo->count(); ++row) {
      combo->setCurrentIndex(row);
      walked[i].push_back(combo->currentText().toStdString());
    }
  }
  return walked;
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
