#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace serialix {

// The index of a counter's selected option button is its fill style.
enum class FillStyle : int { Plain = 0, TwoDigit = 1, ThreeDigit = 2 };

// The fewest digits a style writes: the length of its zero text.
std::size_t MinimumWidth(FillStyle style);

// The longest counter text, "-2147483648".
inline constexpr std::size_t kMaxCounterChars = 11;

// The one counter formatter: writes the value with the leading zeros of its style to out (room
// for kMaxCounterChars) and returns the end. A value wider than its style is never cut; a
// negative one keeps its sign first and pads its digits ("-05" in two-digit style).
char* WriteCounterValue(char* out, std::int32_t value, FillStyle style);

// WriteCounterValue as a string.
std::string FormatCounterValue(std::int32_t value, FillStyle style);

// Rewrites a counter text in another style by looking at its characters only (no parsing); its
// length counts characters of the UTF-8 text, so a full-width digit is one.
std::string ConvertCounterText(std::string_view text, FillStyle target);

// "0", "00" or "000": the text that stands for zero in a style.
std::string_view ZeroText(FillStyle style);

// The drop-down entries a counter offers in a style: 0..999, 00..99 or 000..999.
std::vector<std::string> CounterValueList(FillStyle style);

// How many entries CounterValueList has; entry i is FormatCounterValue(i, style).
std::size_t CounterValueCount(FillStyle style);

}  // namespace serialix
