// The segment switches and the two links: enabling, disabling and the F -> I, G -> J links.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "mainwindow/frm_main.h"
#include "mainwindow/link_caption.h"
#include "platform/widgets/caption_toggle_accessible.h"

namespace serialix {
namespace {

const QString kLinked = LinkCaption(true);
const QString kReleased = LinkCaption(false);

}  // namespace

bool frmMain::linkOn() const {
  return Check2->text() == kLinked;
}

void frmMain::CheckPlain_Click(QCheckBox* check, QWidget* governed) {
  governed->setEnabled(check->isChecked());
}

void frmMain::setCounterEnabled(const CounterControls& counter, bool enabled) {
  for (auto* c : counter.combos) c->setEnabled(enabled);
  for (auto* o : counter.options) o->setEnabled(enabled);
}

void frmMain::CheckJ_Click() {
  setCounterEnabled(counterJ_, counterJ_.check->isChecked());
}

void frmMain::CheckL_Click() {
  setCounterEnabled(counterL_, counterL_.check->isChecked());
}

void frmMain::CheckG_Click() {
  if (!counterG_.check->isChecked()) {
    setCounterEnabled(counterG_, false);
    // Without G there is nothing to follow: the link is released for good.
    Check2->setChecked(true);
    SetToggleCaption(Check2, kReleased);
    if (counterJ_.check->isChecked()) setCounterEnabled(counterJ_, true);
    return;
  }
  setCounterEnabled(counterG_, true);
}

void frmMain::Check2_Click() {
  if (!counterG_.check->isChecked()) {
    // Stays pressed and released while G is excluded; the nested run this may raise changes nothing.
    Check2->setChecked(true);
    return;
  }
  const CounterControls& leader = counterG_;
  CounterControls& follower = counterJ_;
  if (Check2->text() != kLinked) {
    SetToggleCaption(Check2, kLinked);
    for (int i = 0; i < 2; ++i) follower.combos[i]->setEditText(leader.combos[i]->currentText());
    setCounterEnabled(follower, false);
    follower.options[static_cast<int>(SelectedStyle(leader))]->setChecked(true);
    return;
  }
  SetToggleCaption(Check2, kReleased);
  setCounterEnabled(follower, true);
}

void frmMain::Check1_Click() {
  if (Check1->text() == kLinked) {
    SetToggleCaption(Check1, kReleased);
    return;
  }
  SetToggleCaption(Check1, kLinked);
  txtI->setText(txtF->text());
}

void frmMain::txtF_Change() {
  if (Check1->text() == kLinked) txtI->setText(txtF->text());
}

}  // namespace serialix
