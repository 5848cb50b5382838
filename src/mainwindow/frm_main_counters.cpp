// Counter inputs: key filter, refill on focus loss, ordering rule, G -> J mirroring, fill styles.
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

#include "core/counter_order.h"
#include "mainwindow/frm_main.h"

namespace serialix {

void frmMain::counterKeyPress(int& keyAscii) {
  const bool digit = keyAscii >= '0' && keyAscii <= '9';
  if (!digit && keyAscii != 8 && keyAscii != 9 && keyAscii != 13) keyAscii = 0;
}

void frmMain::counterLostFocus(const std::array<QComboBox*, 2>& combos,
                               const std::array<QRadioButton*, 3>& options, int index) {
  if (!combos[index]->currentText().isEmpty()) return;
  for (int i = 0; i < 3; ++i) {
    if (options[i]->isChecked()) {
      combos[index]->setEditText(QString::fromUtf8(ZeroText(static_cast<FillStyle>(i)).data()));
      return;
    }
  }
}

void frmMain::orderingRule(const std::array<QComboBox*, 2>& combos, int index) {
  if (index != 0) return;
  const QString from = combos[0]->currentText();
  if (ToTextBelowFromText(from.toStdString(), combos[1]->currentText().toStdString())) {
    combos[1]->setEditText(from);
  }
}

void frmMain::cmbG_Change(int index) {
  if (linkOn()) cmbJ[index]->setEditText(cmbG[index]->currentText());
  orderingRule(cmbG, index);
}

void frmMain::cmbJ_Change(int index) { orderingRule(cmbJ, index); }

void frmMain::cmbL_Change(int index) { orderingRule(cmbL, index); }

void frmMain::optionClick(const QString& letter, const std::array<QComboBox*, 2>& combos, int index) {
  optCounter = letter;
  optIndex = index;
  optFrom = combos[0]->currentText();
  optTo = combos[1]->currentText();
  OPT();
  // OPT emptied both combos; write the converted texts back, which runs their change handlers.
  combos[0]->setEditText(optFrom);
  combos[1]->setEditText(optTo);
  optCounter.clear();
  optIndex = 0;
  optFrom.clear();
  optTo.clear();
}

void frmMain::opt1_Click(int index) {
  if (linkOn()) opt2[index]->setChecked(true);
  optionClick(QStringLiteral("G"), cmbG, index);
}

void frmMain::opt2_Click(int index) {
  if (linkOn()) return;
  optionClick(QStringLiteral("J"), cmbJ, index);
}

void frmMain::opt3_Click(int index) { optionClick(QStringLiteral("L"), cmbL, index); }

}  // namespace serialix
