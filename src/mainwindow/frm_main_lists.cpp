// The counters' value lists: the nine fill routines and OPT, which switches a counter's style.
#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>

#include "mainwindow/frm_main.h"

namespace serialix {
namespace {

QStringList buildValueList(FillStyle style) {
  QStringList list;
  for (const auto& value : CounterValueList(style)) list << QString::fromStdString(value);
  return list;
}

// Built once per style: a fill-style click only hands the ready list to the combos.
const QStringList& valueList(FillStyle style) {
  static const QStringList lists[3] = {buildValueList(FillStyle::Plain), buildValueList(FillStyle::TwoDigit),
                                       buildValueList(FillStyle::ThreeDigit)};
  return lists[static_cast<int>(style)];
}

}  // namespace

// Empties both combos (list and text) and appends the style's values to each. Emptying raises no
// handler; both combos then show no text until the caller sets one.
void frmMain::fillCounter(const std::array<QComboBox*, 2>& combos, FillStyle style) {
  for (QComboBox* combo : combos) {
    const QSignalBlocker blocker(combo);
    combo->clear();
    combo->addItems(valueList(style));
    combo->setCurrentIndex(-1);
    combo->clearEditText();
  }
}

void frmMain::G1() { fillCounter(cmbG, FillStyle::Plain); }
void frmMain::G2() { fillCounter(cmbG, FillStyle::TwoDigit); }
void frmMain::G3() { fillCounter(cmbG, FillStyle::ThreeDigit); }
void frmMain::J1() { fillCounter(cmbJ, FillStyle::Plain); }
void frmMain::J2() { fillCounter(cmbJ, FillStyle::TwoDigit); }
void frmMain::J3() { fillCounter(cmbJ, FillStyle::ThreeDigit); }
void frmMain::L1() { fillCounter(cmbL, FillStyle::Plain); }
void frmMain::L2() { fillCounter(cmbL, FillStyle::TwoDigit); }
void frmMain::L3() { fillCounter(cmbL, FillStyle::ThreeDigit); }

void frmMain::OPT() {
  using Routine = void (frmMain::*)();
  static const Routine g[] = {&frmMain::G1, &frmMain::G2, &frmMain::G3};
  static const Routine j[] = {&frmMain::J1, &frmMain::J2, &frmMain::J3};
  static const Routine l[] = {&frmMain::L1, &frmMain::L2, &frmMain::L3};
  if (optIndex < 0 || optIndex > 2) return;
  if (optCounter == "G") {
    (this->*g[optIndex])();
    if (linkOn()) (this->*j[optIndex])();
  } else if (optCounter == "J") {
    (this->*j[optIndex])();
  } else if (optCounter == "L") {
    (this->*l[optIndex])();
  } else {
    return;
  }
  const auto style = static_cast<FillStyle>(optIndex);
  optFrom = QString::fromStdString(ConvertCounterText(optFrom.toStdString(), style));
  optTo = QString::fromStdString(ConvertCounterText(optTo.toStdString(), style));
}

}  // namespace serialix
