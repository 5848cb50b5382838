// The keyboard beyond the tab order: Enter in the address row runs "実行", shortcuts for the
// commands, and Tab into a fill-style group lands on its selected option. No caption changes.
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

#include "mainwindow/frm_main.h"

namespace serialix {
namespace {

// Enter in a combo without a line edit (cmbD) reaches no returnPressed; this presses the button.
class EnterPresses : public QObject {
 public:
  EnterPresses(QWidget* field, QPushButton* button) : QObject(field), button_(button) {
    field->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
        (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
      return false;
    }
    button_->click();
    return true;
  }

 private:
  QPushButton* button_;
};

// Only the selected option of a group takes Tab, so Tab enters and leaves the group in one step;
// the arrow keys still move between its options.
void tabToSelectedOption(const CounterControls& counter) {
  const auto update = [options = counter.options] {
    for (QRadioButton* option : options) option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
  };
  for (QRadioButton* option : counter.options) QObject::connect(option, &QRadioButton::toggled, option, update);
  update();
}

}  // namespace

void frmMain::installKeyboard() {
  // Enter in any field of the address row runs "実行". The counter combos' key filter lets Enter
  // through to the line edit, so it sees the key first.
  const auto run = [this] { cmdR->click(); };
  const auto runOnEnter = [this, &run](QWidget* field) {
    auto* combo = qobject_cast<QComboBox*>(field);
    auto* edit = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(field);
    if (edit) {
      connect(edit, &QLineEdit::returnPressed, this, run);
    } else if (combo) {
      new EnterPresses(combo, cmdR);
    }
  };
  for (const SegmentControls& s : segments_) {
    if (s.field) runOnEnter(s.field);
    if (!s.counter) continue;
    for (QComboBox* combo : s.counter->combos) runOnEnter(combo);
    tabToSelectedOption(*s.counter);
  }

  const struct {
    QKeySequence keys;
    QPushButton* button;
  } shortcuts[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_L), cmdClear},
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), cmdCrip},
      {QKeySequence(Qt::CTRL | Qt::Key_S), cmdOut},  // a disabled button ignores the click
      {QKeySequence(Qt::Key_F1), cmdHelp},
  };
  for (const auto& s : shortcuts) {
    auto* shortcut = new QShortcut(s.keys, this);
    QPushButton* button = s.button;
    connect(shortcut, &QShortcut::activated, button, [button] { button->click(); });
  }
}

}  // namespace serialix
