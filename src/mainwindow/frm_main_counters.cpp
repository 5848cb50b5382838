// Counter inputs: key filter, refill on focus loss, ordering rule, G -> J mirroring, fill styles.
// G, J and L share every rule; the handlers only name the counter they belong to.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

#include "core/counter_order.h"
#include "mainwindow/frm_main.h"

namespace serialix {

FillStyle SelectedStyle(const CounterControls& counter) {
  for (int i = 0; i < 3; ++i) {
    if (counter.options[i]->isChecked()) return static_cast<FillStyle>(i);
  }
  return FillStyle::Plain;
}

void frmMain::counterKeyPress(int& keyAscii) {
  const bool digit = keyAscii >= '0' && keyAscii <= '9';
  if (!digit && keyAscii != 8 && keyAscii != 9 && keyAscii != 13) keyAscii = 0;
}

void frmMain::counterLostFocus(const CounterControls& counter, int index) {
  QComboBox* combo = counter.combos[index];
  if (!combo->currentText().isEmpty()) return;
  combo->setEditText(QString::fromUtf8(ZeroText(SelectedStyle(counter)).data()));
}

void frmMain::orderingRule(const CounterControls& counter, int index) {
  if (index != 0) return;
  const QString from = counter.combos[0]->currentText();
  if (ToTextBelowFromText(from.toStdString(), counter.combos[1]->currentText().toStdString())) {
    counter.combos[1]->setEditText(from);
  }
}

void frmMain::counterChange(const CounterControls& counter, int index) {
  if (counter.follower && linkOn()) counter.follower->combos[index]->setEditText(counter.combos[index]->currentText());
  orderingRule(counter, index);
}

void frmMain::cmbG_Change(int index) {
  counterChange(counterG_, index);
}
void frmMain::cmbJ_Change(int index) {
  counterChange(counterJ_, index);
}
void frmMain::cmbL_Change(int index) {
  counterChange(counterL_, index);
}

void frmMain::optionClick(const CounterControls& counter, int index) {
  if (counter.follows && linkOn()) return;
  if (counter.follower && linkOn()) counter.follower->options[index]->setChecked(true);
  optCounter = QString(QChar(counter.letter));
  optIndex = index;
  optFrom = counter.combos[0]->currentText();
  optTo = counter.combos[1]->currentText();
  OPT();
  // OPT emptied both combos; write the converted texts back, which runs their change handlers.
  counter.combos[0]->setEditText(optFrom);
  counter.combos[1]->setEditText(optTo);
  optCounter.clear();
  optIndex = 0;
  optFrom.clear();
  optTo.clear();
}

void frmMain::opt1_Click(int index) {
  optionClick(counterG_, index);
}
void frmMain::opt2_Click(int index) {
  optionClick(counterJ_, index);
}
void frmMain::opt3_Click(int index) {
  optionClick(counterL_, index);
}

}  // namespace serialix
