#pragma once

#include <functional>

class QWidget;

namespace serialix {

// Gives a widget that has no click of its own (a label) one: a left button pressed and released
// over it calls `clicked`, as a push button would. The pointer turns into a hand over it, so the
// user sees that it can be clicked. Keyboard users need another way to the same command.
void OnLeftClick(QWidget* widget, std::function<void()> clicked);

}  // namespace serialix
