#pragma once

class QComboBox;

namespace serialix {

// Makes `combo` editable as QComboBox::setEditable(true) does, without two things that call
// builds and no user sees before a list is opened: the drop-down list, which the toolkit then
// makes when it is first needed, and an inline completer (the window's combos complete nothing).
void MakeEditableWithoutCompleter(QComboBox* combo);

}  // namespace serialix
