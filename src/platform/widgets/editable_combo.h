#pragma once

#include <QComboBox>

namespace serialix {

// Makes `combo` editable as QComboBox::setEditable(true) does, without an inline completer (the
// window's combos complete nothing). For a new combo it also leaves the drop-down list, which
// setEditable sets up, for the toolkit to make when it is first needed.
void MakeEditableWithoutCompleter(QComboBox* combo);

// A combo box whose drop-down list is made when it is first opened or asked for. QComboBox makes
// its list at the first font or style change to pass them on, so a window of combos would make
// every list, with a style sheet's work on each, before it first shows. Until the list exists
// such a change only places the line edit, if any (the list, once made, takes the font and style
// as a new child does); the size hint, which no layout here asks for, is kept then.
class LazyListComboBox : public QComboBox {
 public:
  using QComboBox::QComboBox;

 protected:
  void changeEvent(QEvent* event) override;
};

// An editable LazyListComboBox, made so by MakeEditableWithoutCompleter.
class EditableComboBox : public LazyListComboBox {
 public:
  explicit EditableComboBox(QWidget* parent = nullptr);
};

}  // namespace serialix
