// Which characters may stand in the text of an address. One rule for every place that takes
// text into an address: the window's fields, the template reader and the example address.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace serialix {

// False for characters that would break a row apart in every output or make it show as
// something it is not: C0 controls (line breaks and tabs among them), DEL, C1 controls
// (U+0080..U+009F, NEL among them), the line and paragraph separators (U+2028, U+2029) and the
// bidirectional controls (U+200E, U+200F, U+202A..U+202E, U+2066..U+2069).
constexpr bool MayStandInAddress(char32_t c) {
  if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return false;
  if (c == 0x200E || c == 0x200F || c == 0x2028 || c == 0x2029) return false;
  if (c >= 0x202A && c <= 0x202E) return false;
  if (c >= 0x2066 && c <= 0x2069) return false;
  return true;
}

// The code point of the UTF-8 sequence at `pos`, with `pos` moved past it; nothing (and `pos`
// unchanged) for a byte sequence that is not valid UTF-8 (overlong forms, surrogates, values
// above U+10FFFF and cut sequences included).
std::optional<char32_t> NextCodePoint(std::string_view utf8, std::size_t& pos);

bool IsValidUtf8(std::string_view text);

// Appends the UTF-8 sequence of code point `c` (a scalar value: not a surrogate, at most U+10FFFF).
void AppendUtf8(std::string& out, char32_t c);

// True when the UTF-8 text holds a character that may not stand in an address, or bytes that
// are not UTF-8 at all.
bool HasCharacterNotForAddress(std::string_view utf8);

}  // namespace serialix
