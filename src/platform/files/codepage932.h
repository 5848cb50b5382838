// Conversion between UTF-8 (the program's text) and code page 932 (Shift-JIS as
// Windows defines it), the encoding of set.ini and of exported files.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace serialix {

// Encodes UTF-8 text as code page 932. A character the code page cannot
// represent becomes a single "?", as the Windows conversion does; so does each
// byte of malformed UTF-8. A character counts as representable only when its
// bytes decode back to it: one the C library maps one way only ("¥" to "\",
// "‾" to "~", "〜" to "～") would change meaning, and becomes "?" too. Throws
// std::system_error only when the C library has no code page 932 converter
// (see OpenIconv); no input makes it fail.
std::string Utf8ToCp932(std::string_view utf8);

// The first character of UTF-8 text that code page 932 cannot represent (a malformed byte
// counts as one), as its UTF-8 bytes; nothing when Utf8ToCp932 would write no "?" of its own.
std::optional<std::string> FirstCharNotInCp932(std::string_view utf8);

// Opens the code page's converters: the first text that needs them otherwise waits a
// millisecond or two while the system loads them (set.ini's section names are Japanese, so every
// start needs them). Safe from any thread, and a conversion on another thread meanwhile does
// not wait for it; a missing converter is left for the conversions to report.
void PrepareCodePage932();

// Decodes code page 932 bytes into UTF-8. A byte sequence that is not a
// character of the code page becomes U+FFFD: one for a lead byte followed by a
// valid trail byte that maps to nothing (the pair is taken together, so its
// trail byte can never be mistaken for "[", "\" or "]"), and one for each other
// stray byte. Throws like Utf8ToCp932; no input makes it fail.
std::string Cp932ToUtf8(std::string_view bytes);

// Byte length of the code page 932 character starting at bytes[pos]: 2 for a
// lead byte followed by a byte in the trail range, otherwise 1. Scanning with it
// keeps every search on character boundaries, exactly as Cp932ToUtf8 splits.
inline std::size_t Cp932CharLength(std::string_view bytes, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(bytes[pos]);
  const bool isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
  if (!isLead || pos + 1 >= bytes.size()) return 1;
  const auto trail = static_cast<unsigned char>(bytes[pos + 1]);
  return (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC) ? 2 : 1;
}

}  // namespace serialix
