// What the next run would use: the controls read exactly as ListOut reads them, without side effects.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "mainwindow/frm_main.h"

namespace serialix {
namespace {

std::string segment(const QCheckBox* check, const QString& text) {
  return check->isChecked() ? text.toStdString() : std::string();
}

CounterInput counterInput(const CounterControls& counter) {
  CounterInput c;
  c.enabled = counter.check->isChecked();
  c.fromText = counter.combos[0]->currentText().toStdString();
  c.toText = counter.combos[1]->currentText().toStdString();
  c.style = SelectedStyle(counter);
  return c;
}

}  // namespace

NextRunResult frmMain::NextRunTemplate() const {
  TemplateInput input;
  input.B = cmbB->currentText().toStdString();
  input.C = segment(CheckC, lblC->text());
  input.D = segment(CheckD, cmbD->currentText());
  input.E = segment(CheckE, lblE->text());
  input.F = segment(CheckF, txtF->text());
  input.H = segment(CheckH, lblH->text());
  input.I = segment(CheckI, txtI->text());
  input.K = segment(CheckK, cmbK->currentText());
  input.M = segment(CheckM, lblM->text());
  input.N = segment(CheckN, cmbN->currentText());
  input.counterLink = linkOn();
  input.G = counterInput(counterG_);
  input.J = counterInput(counterJ_);
  input.L = counterInput(counterL_);
  return ReadTemplate(input);
}

}  // namespace serialix
