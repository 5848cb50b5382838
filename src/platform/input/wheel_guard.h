#pragma once

class QWidget;

namespace serialix {

// Makes every combo box in the widget tree (the root included) ignore the mouse wheel unless it
// already has the keyboard focus, so rolling the wheel over a form never changes a value by
// accident. The wheel no longer gives those combos the focus either. Combos added to the tree
// later are not covered: call again after adding them (calling twice is harmless).
void IgnoreWheelOnUnfocusedCombos(QWidget* root);

}  // namespace serialix
