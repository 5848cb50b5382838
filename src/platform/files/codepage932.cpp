#include "platform/files/codepage932.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/address_characters.h"
#include "platform/files/huge_pages.h"
#include "platform/files/iconv_handle.h"

namespace serialix {
namespace {

constexpr char32_t kInvalid = 0xFFFFFFFF;
constexpr char32_t kReplacement = 0xFFFD;

// Converts one character through iconv into `out`; the number of bytes written, or 0 when the
// conversion refuses it.
std::size_t ConvertWithIconv(iconv_t cd, const char* in, std::size_t inBytes, char* out, std::size_t outBytes) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* inPtr = const_cast<char*>(in);
  std::size_t inLeft = inBytes;
  char* outPtr = out;
  std::size_t outLeft = outBytes;
  if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) return 0;
  return outBytes - outLeft;
}

char32_t DecodeWithIconv(iconv_t cd, const char* bytes, std::size_t length) {
  char32_t out[2];
  if (ConvertWithIconv(cd, bytes, length, reinterpret_cast<char*>(out), sizeof out) != sizeof(char32_t)) {
    return kInvalid;
  }
  return out[0];
}

// The whole code page as tables, built once through iconv: conversion is then a lookup per
// character instead of an iconv call. A character is encodable only when its bytes decode back
// to it: glibc maps some characters one way only (U+00A5 YEN SIGN to "\", U+203E OVERLINE to
// "~"), and writing those would change the text.
struct CodePage {
  static constexpr std::uint16_t kNone = 0xFFFF;  // no lead byte is 0xFF

  std::array<char32_t, 256> single{};
  std::vector<char32_t> pairs = std::vector<char32_t>(256 * 256, kInvalid);
  std::vector<std::uint16_t> encode = std::vector<std::uint16_t>(0x10000, kNone);  // below 0x100: one byte

  CodePage() {
    IconvHandle toUnicode = OpenIconv("UTF-32LE", "CP932");
    for (unsigned b = 0; b < 256; ++b) {
      const char byte = static_cast<char>(b);
      single[b] = DecodeWithIconv(toUnicode.get(), &byte, 1);
    }
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
      if (lead > 0x9F && lead < 0xE0) continue;
      for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
        if (trail == 0x7F) continue;
        const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        pairs[lead * 256 + trail] = DecodeWithIconv(toUnicode.get(), pair, 2);
      }
    }
    // Only a character some bytes decode to can come back whole; ask iconv which bytes it
    // writes for each, and keep them when they decode to the same character.
    IconvHandle fromUnicode = OpenIconv("CP932", "UTF-32LE");
    auto learn = [&](char32_t c) {
      if (c == kInvalid || c > 0xFFFF || encode[c] != kNone) return;
      unsigned char bytes[4];
      const std::size_t length = ConvertWithIconv(fromUnicode.get(), reinterpret_cast<const char*>(&c), sizeof c,
                                                  reinterpret_cast<char*>(bytes), sizeof bytes);
      const unsigned first = bytes[0];
      if (length == 1) {
        if (single[first] == c) encode[c] = static_cast<std::uint16_t>(first);
      } else if (length == 2) {
        const unsigned second = bytes[1];
        if (pairs[first * 256u + second] == c) encode[c] = static_cast<std::uint16_t>(first << 8 | second);
      }
    };
    for (char32_t c : single) learn(c);
    for (char32_t c : pairs) learn(c);
  }

  // The code of one UTF-8 sequence (as Utf8SequenceLength splits), kNone when it has none.
  std::uint16_t encodeAt(std::string_view sequence) const {
    const auto byte = [&](std::size_t i) { return static_cast<char32_t>(static_cast<unsigned char>(sequence[i])); };
    char32_t c;
    switch (sequence.size()) {
      case 1: c = byte(0); return c < 0x80 ? encode[c] : kNone;
      case 2: c = (byte(0) & 0x1F) << 6 | (byte(1) & 0x3F); break;
      case 3:
        c = (byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F);
        if (c < 0x800) return kNone;  // overlong; surrogates are never in the table
        break;
      default: return kNone;  // beyond the basic plane, which the code page does not reach
    }
    return encode[c];
  }
};

const CodePage& Table() {
  static const CodePage table;
  return table;
}

// Length of the well-formed UTF-8 sequence at text[pos], or 1 for a stray byte,
// so that one unmappable character turns into exactly one "?".
std::size_t Utf8SequenceLength(const char* text, std::size_t left) {
  const auto lead = static_cast<unsigned char>(text[0]);
  std::size_t length = 1;
  if (lead >= 0xC2 && lead <= 0xDF)
    length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF)
    length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4)
    length = 4;
  if (length > left) return 1;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 1;
  }
  return length;
}

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::string Utf8ToCp932(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  const CodePage& table = Table();
  // No character takes more bytes in the code page than in UTF-8.
  std::string out(utf8.size(), '\0');
  char* to = out.data();
  for (std::size_t pos = 0; pos < utf8.size();) {
    if (static_cast<unsigned char>(utf8[pos]) < 0x80) {
      *to++ = utf8[pos++];
      continue;
    }
    const std::size_t length = Utf8SequenceLength(utf8.data() + pos, utf8.size() - pos);
    const std::uint16_t code = table.encodeAt(utf8.substr(pos, length));
    if (code == CodePage::kNone) {
      *to++ = '?';
    } else if (code > 0xFF) {
      *to++ = static_cast<char>(code >> 8);
      *to++ = static_cast<char>(code & 0xFF);
    } else {
      *to++ = static_cast<char>(code);
    }
    pos += length;
  }
  out.resize(static_cast<std::size_t>(to - out.data()));
  return out;
}

std::optional<std::string> FirstCharNotInCp932(std::string_view utf8) {
  if (IsAscii(utf8)) return std::nullopt;
  const CodePage& table = Table();
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::size_t length = Utf8SequenceLength(utf8.data() + pos, utf8.size() - pos);
    const std::string_view character = utf8.substr(pos, length);
    if (table.encodeAt(character) == CodePage::kNone) return std::string(character);
    pos += length;
  }
  return std::nullopt;
}

std::string Cp932ToUtf8(std::string_view bytes) {
  std::string out;
  if (IsAscii(bytes)) {
    out.reserve(bytes.size());
    AdviseHugePages(out.data(), bytes.size());
    out.append(bytes);
    return out;
  }
  const CodePage& table = Table();
  out.reserve(bytes.size() + bytes.size() / 2);
  AdviseHugePages(out.data(), out.capacity());
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t length = Cp932CharLength(bytes, pos);
    const auto first = static_cast<unsigned char>(bytes[pos]);
    char32_t c;
    if (length == 2) {
      c = table.pairs[first * 256u + static_cast<unsigned char>(bytes[pos + 1])];
    } else {
      c = table.single[first];
    }
    AppendUtf8(out, c == kInvalid ? kReplacement : c);
    pos += length;
  }
  return out;
}

}  // namespace serialix
