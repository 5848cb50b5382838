#pragma once

#include <string_view>

namespace serialix {

// The ordering rule's comparison: is the number the to text begins with below the from text?
// The from text counts as a whole number (empty = 0; optional sign, then digits of any length);
// a from text that is not a whole number never orders anything, so the answer is false.
// The to text is read the way a leading-number reader does: blanks skipped, an optional sign,
// digits with an optional decimal part; text without a leading number reads as 0.
// Digit strings of any length compare by value, so no input can overflow.
bool ToTextBelowFromText(std::string_view fromText, std::string_view toText);

}  // namespace serialix
