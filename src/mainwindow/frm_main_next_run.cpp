// What the next run would use: the controls read exactly as ListOut reads them, without side effects.
#include <QCheckBox>
#include <QComboBox>

#include "mainwindow/frm_main.h"

namespace serialix {
namespace {

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
  for (const SegmentControls& s : segments_) {
    if (std::string* text = input.text(s.letter())) {
      if (s.included()) *text = FieldText(s.field).toStdString();
    } else if (CounterInput* counter = input.counter(s.letter())) {
      *counter = counterInput(*s.counter);
    }
  }
  input.counterLink = linkOn();
  input.https = httpsChosen();
  return ReadTemplate(input);
}

}  // namespace serialix
