#pragma once

#include <functional>

class QComboBox;
class QKeyEvent;

namespace serialix {

// The character code a key press carries in the window's key-press event, derived from the key
// and its modifiers (never from the platform-dependent text): Ctrl+letter 1..26, Backspace 8,
// Tab 9, Enter 13, Escape 27, a printable character its code point; 0 for keys that type no
// character (Delete, arrows, Home, End, function keys, modifiers alone). The clipboard keys
// Shift+Insert, Shift+Delete and Ctrl+Insert count as Ctrl+V (22), Ctrl+X (24) and Ctrl+C (3).
int KeyAsciiFromKeyEvent(const QKeyEvent& event);

// Calls the handler for every key press with a non-zero code into the (editable) combo; a code
// set to 0 discards the key, any other code lets the original key through. Keys with code 0
// pass untouched. The input method is kept off and its text refused.
void InstallKeyPressHandler(QComboBox* combo, std::function<void(int& keyAscii)> handler);

// Calls the handler once each time the (editable) combo loses the focus to another widget; the
// combo opening its own drop-down list, or the whole window being deactivated, is no loss.
void InstallLostFocusHandler(QComboBox* combo, std::function<void()> handler);

// Removes both handlers from the combo (for a window about to be torn down).
void RemoveCounterComboHandlers(QComboBox* combo);

}  // namespace serialix
