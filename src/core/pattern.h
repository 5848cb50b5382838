#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "big_unsigned.h"
#include "odometer.h"

namespace serialix {

// A range of numbers or letters: first, first ± step, ... up to last (descending when first >
// last). Letters are character codes; numbers are padded with zeros to `width` digits.
struct PatternRange {
  bool letters = false;
  std::uint64_t first = 0;
  std::uint64_t last = 0;
  std::uint64_t step = 1;
  std::size_t width = 0;
  std::string group;  // ranges of one group name step together; empty for none

  std::uint64_t size() const;
  std::string textAt(std::uint64_t index) const;
  friend bool operator==(const PatternRange&, const PatternRange&) = default;
};

struct PatternList {
  std::vector<std::string> items;
  friend bool operator==(const PatternList&, const PatternList&) = default;
};

// Repeats the current text of an earlier range or list, numbered from 0 left to right.
struct PatternRepeat {
  std::size_t glob = 0;
  friend bool operator==(const PatternRepeat&, const PatternRepeat&) = default;
};

// Literal text, a range, a list or a repeat.
using PatternPart = std::variant<std::string, PatternRange, PatternList, PatternRepeat>;

// A parsed pattern. Ranges and lists are its globs; each glob outside a group, and each group,
// is one wheel of an odometer, placed where it (or the group's first range) stands, the
// rightmost turning fastest.
struct Pattern {
  std::vector<PatternPart> parts;
  friend bool operator==(const Pattern&, const Pattern&) = default;
};

struct PatternError {
  std::string message;
  std::size_t column = 0;  // 1-based byte position in the pattern text
};

// Reads curl's URL globbing syntax plus descending ranges, "@NAME" lockstep groups and "[#K]"
// repeats. Every pattern yields at least one address.
std::variant<Pattern, PatternError> ReadPattern(std::string_view text);

// Where a part of a pattern stands in the text it was read from, escapes included.
struct PatternSpan {
  std::size_t column = 0;  // 1-based byte position, as in PatternError
  std::size_t length = 0;  // in bytes
};

// As above, and where each part stands: spans[i] for parts[i].
std::variant<Pattern, PatternError> ReadPattern(std::string_view text, std::vector<PatternSpan>& spans);

// The pattern as text that ReadPattern reads back into a pattern yielding the same addresses;
// "[ ] { }" in literal text are escaped.
std::string WritePattern(const Pattern& pattern);

// The number of addresses, exactly.
BigUnsigned PatternCount(const Pattern& pattern);

// The first or last address, computed without enumerating the others.
std::string FirstAddress(const Pattern& pattern);
std::string LastAddress(const Pattern& pattern);

// The pattern as the odometer that writes its addresses (start at all wheels 0, no limit).
Odometer PatternOdometer(const Pattern& pattern);

// Writes every address of the pattern, each followed by the line end, a chunk at a time.
bool WritePatternLines(const Pattern& pattern, const ChunkSink& sink, LineEnd lineEnd = LineEnd::Lf);

}  // namespace serialix
