#include "core/fill_style.h"

#include <charconv>
#include <cstring>

namespace serialix {

namespace {

std::string ZeroPadded(std::string_view text, std::size_t zeros) {
  std::string padded(zeros, '0');
  padded.append(text);
  return padded;
}

// Characters of a UTF-8 text: every byte that does not continue a multi-byte sequence starts one.
std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

}  // namespace

std::size_t MinimumWidth(FillStyle style) {
  return ZeroText(style).size();
}

char* WriteCounterValue(char* out, std::int32_t value, FillStyle style) {
  // Widened first: the magnitude of INT32_MIN does not fit in 32 bits.
  const std::int64_t wide = value;
  if (wide < 0) {
    *out++ = '-';
  }
  char digits[kMaxCounterChars];
  const auto end =
      std::to_chars(digits, digits + sizeof digits, static_cast<std::uint64_t>(wide < 0 ? -wide : wide)).ptr;
  const auto length = static_cast<std::size_t>(end - digits);
  for (std::size_t w = MinimumWidth(style); w > length; --w) {
    *out++ = '0';
  }
  std::memcpy(out, digits, length);
  return out + length;
}

std::string FormatCounterValue(std::int32_t value, FillStyle style) {
  char text[kMaxCounterChars];
  return std::string(text, WriteCounterValue(text, value, style));
}

// The rules look at the length in characters (a full-width digit counts as one); the zeros they
// strip are single bytes, so cutting bytes off the front stays on a character boundary.
std::string ConvertCounterText(std::string_view text, FillStyle target) {
  const std::size_t n = CharacterCount(text);
  switch (target) {
    case FillStyle::Plain:
      if (n == 2 && text[0] == '0') {
        return std::string(text.substr(1));
      }
      if (n == 3) {
        if (text.substr(0, 2) == "00") {
          return std::string(text.substr(2));
        }
        if (text[0] == '0') {
          return std::string(text.substr(1));
        }
      }
      break;
    case FillStyle::TwoDigit:
      if (n == 1) {
        return ZeroPadded(text, 1);
      }
      if (n == 3 && text[0] == '0') {
        return std::string(text.substr(1));
      }
      break;
    case FillStyle::ThreeDigit:
      if (n == 1) {
        return ZeroPadded(text, 2);
      }
      if (n == 2) {
        return ZeroPadded(text, 1);
      }
      break;
  }
  return std::string(text);
}

std::string_view ZeroText(FillStyle style) {
  switch (style) {
    case FillStyle::TwoDigit: return "00";
    case FillStyle::ThreeDigit: return "000";
    case FillStyle::Plain: break;
  }
  return "0";
}

std::size_t CounterValueCount(FillStyle style) {
  return style == FillStyle::TwoDigit ? 100 : 1000;
}

std::vector<std::string> CounterValueList(FillStyle style) {
  const std::size_t count = CounterValueCount(style);
  std::vector<std::string> entries;
  entries.reserve(count);
  for (std::size_t v = 0; v < count; ++v) {
    entries.push_back(FormatCounterValue(static_cast<std::int32_t>(v), style));
  }
  return entries;
}

}  // namespace serialix
