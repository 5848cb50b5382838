// Single-line fields that make up an address must never hold a line break or another control
// character: one pasted "\r\n" would split an address into several lines of every output.
#pragma once

#include <QString>

class QLineEdit;

namespace serialix {

// The text without C0 control characters (U+0000..U+001F, line breaks and tabs among them) and
// DEL. When `cursor` is given, it is moved left by the characters removed before it.
QString WithoutControlCharacters(const QString& text, int* cursor = nullptr);

// Removes those characters from whatever the user types, pastes, drops or composes with an
// input method into the line edit (the line edit of an editable combo included), as browsers'
// address bars do with pasted line breaks. Texts the program sets are not touched.
void KeepControlCharactersOut(QLineEdit* edit);

}  // namespace serialix
