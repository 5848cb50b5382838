// The counters' value lists: the nine fill routines and OPT, which switches a counter's style.
#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>

#include "mainwindow/counter_value_model.h"
#include "mainwindow/frm_main.h"

namespace serialix {

// Gives both combos the style's value list in place of their entries and empties their texts.
// Raises no handler; both combos then show no text until the caller sets one.
void frmMain::fillCounter(const CounterControls& counter, FillStyle style) {
  QAbstractItemModel*& list = valueLists_[static_cast<int>(style)];
  if (!list) list = new CounterValueModel(style, this);
  for (QComboBox* combo : counter.combos) {
    const QSignalBlocker blocker(combo);
    combo->setModel(list);
    combo->setCurrentIndex(-1);
    combo->clearEditText();
  }
}

void frmMain::G1() {
  fillCounter(counterG_, FillStyle::Plain);
}
void frmMain::G2() {
  fillCounter(counterG_, FillStyle::TwoDigit);
}
void frmMain::G3() {
  fillCounter(counterG_, FillStyle::ThreeDigit);
}
void frmMain::J1() {
  fillCounter(counterJ_, FillStyle::Plain);
}
void frmMain::J2() {
  fillCounter(counterJ_, FillStyle::TwoDigit);
}
void frmMain::J3() {
  fillCounter(counterJ_, FillStyle::ThreeDigit);
}
void frmMain::L1() {
  fillCounter(counterL_, FillStyle::Plain);
}
void frmMain::L2() {
  fillCounter(counterL_, FillStyle::TwoDigit);
}
void frmMain::L3() {
  fillCounter(counterL_, FillStyle::ThreeDigit);
}

CounterControls* frmMain::counterByLetter(const QString& letter) {
  for (CounterControls* counter : {&counterG_, &counterJ_, &counterL_}) {
    if (letter == QChar(counter->letter)) return counter;
  }
  return nullptr;
}

// Refills the named counter (and its follower while linked) in the chosen style and rewrites the
// handed texts for it.
void frmMain::OPT() {
  const CounterControls* counter = counterByLetter(optCounter);
  if (!counter || optIndex < 0 || optIndex > 2) return;
  const auto style = static_cast<FillStyle>(optIndex);
  fillCounter(*counter, style);
  if (counter->follower && linkOn()) fillCounter(*counter->follower, style);
  optFrom = QString::fromStdString(ConvertCounterText(optFrom.toStdString(), style));
  optTo = QString::fromStdString(ConvertCounterText(optTo.toStdString(), style));
}

}  // namespace serialix
