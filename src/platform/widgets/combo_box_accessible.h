#pragma once

namespace serialix {

// Qt names a combo box after its current text on Linux, so a screen reader announces "0" for
// every counter combo. From this call on, a combo box with an accessible name is announced by
// that name; everything else stays as Qt's own combo interface gives it (the list of entries as
// a child, the "open list" action), and the current entry is its value and its text. One without
// a name keeps Qt's own behaviour. Safe to call again.
void NameComboBoxesByAccessibleName();

}  // namespace serialix
