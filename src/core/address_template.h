#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "fill_style.h"
#include "segments.h"

namespace serialix {

struct Counter {
  bool enabled = false;
  std::int32_t from = 0;
  std::int32_t to = 0;  // inclusive; from > to is an empty range
  FillStyle style = FillStyle::Plain;
};

// The ten text segments around the counters; a switched-off segment is empty.
struct TextSegments {
  std::string B, C, D, E, F, H, I, K, M, N;

  // The text of a segment; nullptr for A (SchemeText) and the counters.
  std::string* text(char letter);
  const std::string* text(char letter) const;

  // Calls visit on each text in address order.
  template <class Visit>
  void forEach(Visit&& visit) {
    for (const Segment& segment : kSegments) {
      if (std::string* t = text(segment.letter)) visit(*t);
    }
  }
  template <typename Visit>
  void forEach(Visit&& visit) const {
    for (const Segment& segment : kSegments) {
      if (const std::string* t = text(segment.letter)) visit(*t);
    }
  }
};

// One address is A B C D E F G H I J K L M N, A being SchemeText(https).
struct AddressTemplate : TextSegments {
  bool https = false;
  Counter G, J, L;
  bool counterLink = false;  // J repeats G's value in J's own style and switch

  // G, J or L; nullptr for any other letter.
  Counter* counter(char letter);
};

// How many passes a counter makes: 1 when disabled, else to - from + 1, or 0 for an empty range.
std::uint64_t PassCount(const Counter& counter);

// The number of addresses a template yields, or nothing when it does not fit in 63 bits.
std::optional<std::uint64_t> AddressCount(const AddressTemplate& tmpl);

// What the window hands over before the counter texts are converted.
struct CounterInput {
  bool enabled = false;
  std::string fromText, toText;
  FillStyle style = FillStyle::Plain;
};

struct TemplateInput : TextSegments {
  bool https = false;
  CounterInput G, J, L;
  bool counterLink = false;

  // G, J or L; nullptr for any other letter.
  CounterInput* counter(char letter);
  const CounterInput* counter(char letter) const;
};

// A counter text that is empty, not a decimal integer, or outside the signed 32-bit range.
struct CounterTextError {
  char counter = 'G';  // 'G', 'J' or 'L'
  std::string text;
};

// A text segment holding a character that may not stand in an address (MayStandInAddress: a
// line break, another control character, an invisible direction change), which would break an
// address apart in the output or show it as another; `segment` is 'B'..'N'.
struct SegmentTextError {
  char segment = 'B';
  std::string text;
};

// Reads a counter text as a decimal integer: optional '-' or '+', then digits, nothing else.
std::optional<std::int32_t> ParseCounterText(std::string_view text);

// Refuses a text segment with a character that may not stand in an address first. Then converts the counter texts
// lazily, in enumeration order: a counter is read only when it is enabled and its loop is
// reached (G always, J only when G has a pass and the link is off, L only when G and J have a
// pass). Unreached counters keep from = 0, to = 0.
std::variant<AddressTemplate, CounterTextError, SegmentTextError> ReadTemplate(const TemplateInput& input);

}  // namespace serialix
