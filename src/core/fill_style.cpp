#include "core/fill_style.h"

#include <charconv>
#include <cstdlib>

namespace serialix {

namespace {

std::string ZeroPadded(std::string_view text, std::size_t zeros) {
  std::string padded(zeros, '0');
  padded.append(text);
  return padded;
}

std::size_t MinimumWidth(FillStyle style) {
  switch (style) {
    case FillStyle::TwoDigit:
      return 2;
    case FillStyle::ThreeDigit:
      return 3;
    case FillStyle::Plain:
      break;
  }
  return 1;
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

// Negative values (reachable only by pasting) keep the sign first and pad the digits as the
// absolute value would be padded: -5 in two-digit style is "-05", -5 in three-digit "-005".
std::string FormatCounterValue(std::int32_t value, FillStyle style) {
  const std::int64_t wide = value;
  const std::uint64_t magnitude = static_cast<std::uint64_t>(wide < 0 ? -wide : wide);
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
  const auto length = static_cast<std::size_t>(end - digits);
  const std::size_t width = MinimumWidth(style);
  std::string text;
  text.reserve(width + 12);
  if (value < 0) {
    text.push_back('-');
  }
  if (length < width) {
    text.append(width - length, '0');
  }
  text.append(digits, length);
  return text;
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
    case FillStyle::TwoDigit:
      return "00";
    case FillStyle::ThreeDigit:
      return "000";
    case FillStyle::Plain:
      break;
  }
  return "0";
}

std::vector<std::string> CounterValueList(FillStyle style) {
  const std::int32_t last = style == FillStyle::TwoDigit ? 99 : 999;
  std::vector<std::string> entries;
  entries.reserve(static_cast<std::size_t>(last) + 1);
  for (std::int32_t v = 0; v <= last; ++v) {
    entries.push_back(FormatCounterValue(v, style));
  }
  return entries;
}

}  // namespace serialix
