// The segment switches and the two links: enabling, disabling and the F -> I, G -> J links.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "mainwindow/frm_main.h"

namespace serialix {
namespace {

const QString kLinked = QStringLiteral("=");
const QString kReleased = QStringLiteral("≠");

void setCounterEnabled(const std::array<QComboBox*, 2>& combos, const std::array<QRadioButton*, 3>& options,
                       bool enabled) {
  combos[0]->setEnabled(enabled);
  combos[1]->setEnabled(enabled);
  for (auto* o : options) o->setEnabled(enabled);
}

}  // namespace

bool frmMain::linkOn() const { return Check2->text() == kLinked; }

void frmMain::CheckPlain_Click(QCheckBox* check, QWidget* governed) { governed->setEnabled(check->isChecked()); }

void frmMain::CheckJ_Click() { setCounterEnabled(cmbJ, opt2, CheckJ->isChecked()); }

void frmMain::CheckL_Click() { setCounterEnabled(cmbL, opt3, CheckL->isChecked()); }

void frmMain::CheckG_Click() {
  if (!CheckG->isChecked()) {
    setCounterEnabled(cmbG, opt1, false);
    Check2->setChecked(true);
    Check2->setText(kReleased);
    if (CheckJ->isChecked()) setCounterEnabled(cmbJ, opt2, true);
    return;
  }
  setCounterEnabled(cmbG, opt1, true);
}

void frmMain::Check2_Click() {
  if (!CheckG->isChecked()) {
    // Stays pressed and released while G is excluded; the nested run this may raise changes nothing.
    Check2->setChecked(true);
    return;
  }
  if (Check2->text() != kLinked) {
    Check2->setText(kLinked);
    cmbJ[0]->setEditText(cmbG[0]->currentText());
    cmbJ[1]->setEditText(cmbG[1]->currentText());
    for (auto* o : opt2) o->setEnabled(false);
    cmbJ[0]->setEnabled(false);
    cmbJ[1]->setEnabled(false);
    for (int i = 0; i < 3; ++i) {
      if (opt1[i]->isChecked()) opt2[i]->setChecked(true);
    }
    return;
  }
  Check2->setText(kReleased);
  for (auto* o : opt2) o->setEnabled(true);
  cmbJ[0]->setEnabled(true);
  cmbJ[1]->setEnabled(true);
}

void frmMain::Check1_Click() {
  if (Check1->text() == kLinked) {
    Check1->setText(kReleased);
    return;
  }
  Check1->setText(kLinked);
  txtI->setText(txtF->text());
}

void frmMain::txtF_Change() {
  if (Check1->text() == kLinked) txtI->setText(txtF->text());
}

}  // namespace serialix
