#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "wide_integer.h"

namespace serialix {

// Receives the output of the sequential writer a chunk at a time; returns false to cancel.
using ChunkSink = std::function<bool(std::string_view chunk)>;

// What follows every line of a written list: CR LF for the code page 932 file and the
// clipboard text, LF for the UTF-8 output that Linux tools read.
enum class LineEnd { CrLf, Lf };

// One place in a line that shows the text of a wheel at its current position: a number
// (first + position * step, '-' before a negative one, digits padded with zeros to minDigits),
// or, when `texts` is not empty, texts[position].
struct OdometerField {
  std::size_t wheel = 0;
  Int128 first = 0;
  Int128 step = 1;
  std::size_t minDigits = 0;
  std::vector<std::string> texts;
};

// Lines of fixed texts and fields, enumerated like an odometer: the last wheel turns fastest and
// each wheel's wrap turns the one before it. Several fields may follow one wheel (a repeated or
// lockstep counter). Both the window's runs and patterns are written through it.
struct Odometer {
  std::vector<std::uint64_t> wheels;  // positions of each wheel, outermost first
  std::vector<std::string> texts;     // fields.size() + 1 fixed texts around the fields
  std::vector<OdometerField> fields;

  // The line at the given wheel positions, without a line end.
  std::string lineAt(const std::vector<std::uint64_t>& positions) const;

  // Appends the lines from the wheel positions `start` on (`limit` of them, or all until the
  // first wheel wraps), each followed by the line end, to an internal buffer handed to the sink
  // whenever it fills. Only the digits that change are rewritten. False when the sink cancelled.
  bool writeLines(std::vector<std::uint64_t> start, std::optional<std::uint64_t> limit, const ChunkSink& sink,
                  LineEnd lineEnd) const;

  // The same lines made straight into `out`, which holds their length plus kOdometerSlack bytes
  // (a short line is copied as one fixed-size block): no buffer between the writer and the
  // destination. Returns the end of what was written.
  char* writeLinesTo(std::vector<std::uint64_t> start, std::optional<std::uint64_t> limit, char* out,
                     LineEnd lineEnd) const;

 private:
  bool writeLinesInto(std::vector<std::uint64_t> idx, std::optional<std::uint64_t> limit, const ChunkSink& sink,
                      LineEnd lineEnd, char* direct) const;
};

// What writeLinesTo may write beyond the end of the last line.
inline constexpr std::size_t kOdometerSlack = 64;

}  // namespace serialix
