#pragma once

class QComboBox;

namespace serialix {

// Makes `combo` editable as QComboBox::setEditable(true) does, without an inline completer (the
// window's combos complete nothing). For a new combo it also leaves the drop-down list, which
// setEditable sets up, for the toolkit to make when it is first needed.
void MakeEditableWithoutCompleter(QComboBox* combo);

}  // namespace serialix
