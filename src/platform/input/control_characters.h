// Single-line fields that make up an address must never hold a line break, another control
// character or an invisible direction change: one pasted "\r\n" would split an address into
// several lines of every output, one U+202E would show "c\u202Egpj.exe" as "cexe.jpg".
#pragma once

#include <QString>
#include <functional>

class QLineEdit;

namespace serialix {

// The text without the characters that may not stand in an address (MayStandInAddress: C0 and
// C1 controls, DEL, line and paragraph separators, bidirectional controls). When `cursor` is
// given, it is moved left by the characters removed before it.
QString WithoutControlCharacters(const QString& text, int* cursor = nullptr);

// The longest text a user's edit may leave in a field, in UTF-16 units. A line edit lays out its
// whole text at every change, about a microsecond a character here, so a longer paste would
// freeze the window for seconds; no web server takes an address of even a tenth of this.
inline constexpr qsizetype kLongestEditedText = 256 * 1024;

// Removes those characters from whatever the user types, pastes, drops or composes with an
// input method into the line edit (the line edit of an editable combo included), as browsers'
// address bars do with pasted line breaks, and undoes an edit that would make the text longer
// than kLongestEditedText, calling `tooLong` once the field is back as it was. Texts the program
// sets are not touched.
void GuardFieldInput(QLineEdit* edit, std::function<void()> tooLong);

}  // namespace serialix
