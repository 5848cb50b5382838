#pragma once

namespace serialix {

// Qt names a combo box after its current text on Linux, so a screen reader announces "0" for
// every counter combo. From this call on, a combo box with an accessible name is announced by
// that name, its text as its value; one without keeps Qt's own behaviour. Safe to call again.
void NameComboBoxesByAccessibleName();

}  // namespace serialix
