#include "core/address_template.h"

#include "core/address_characters.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace serialix {

std::string* TextSegments::text(char letter) {
  switch (letter) {
    case 'B': return &B;
    case 'C': return &C;
    case 'D': return &D;
    case 'E': return &E;
    case 'F': return &F;
    case 'H': return &H;
    case 'I': return &I;
    case 'K': return &K;
    case 'M': return &M;
    case 'N': return &N;
    default: return nullptr;
  }
}

const std::string* TextSegments::text(char letter) const {
  return const_cast<TextSegments*>(this)->text(letter);
}

namespace {

template <typename C, typename T>
T* CounterOf(C& record, char letter) {
  switch (letter) {
    case 'G': return &record.G;
    case 'J': return &record.J;
    case 'L': return &record.L;
    default: return nullptr;
  }
}

}  // namespace

Counter* AddressTemplate::counter(char letter) {
  return CounterOf<AddressTemplate, Counter>(*this, letter);
}

CounterInput* TemplateInput::counter(char letter) {
  return CounterOf<TemplateInput, CounterInput>(*this, letter);
}

const CounterInput* TemplateInput::counter(char letter) const {
  return CounterOf<const TemplateInput, const CounterInput>(*this, letter);
}

std::uint64_t PassCount(const Counter& counter) {
  if (!counter.enabled) {
    return 1;
  }
  if (counter.from > counter.to) {
    return 0;
  }
  // Widened first: INT32_MIN..INT32_MAX is 2^32 passes.
  return static_cast<std::uint64_t>(static_cast<std::int64_t>(counter.to) - counter.from) + 1;
}

std::optional<std::uint64_t> AddressCount(const AddressTemplate& tmpl) {
  constexpr std::uint64_t kLimit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  const std::uint64_t factors[] = {PassCount(tmpl.G), tmpl.counterLink ? 1 : PassCount(tmpl.J), PassCount(tmpl.L)};
  for (const std::uint64_t f : factors) {
    if (f == 0) {
      return 0;
    }
  }
  std::uint64_t total = 1;
  for (const std::uint64_t f : factors) {
    if (total > kLimit / f) {
      return std::nullopt;
    }
    total *= f;
  }
  return total;
}

// Strict on purpose: no blanks, no thousands separators, no other digit sets; leading zeros
// are fine since styled texts such as "007" carry them.
std::optional<std::int32_t> ParseCounterText(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) {
    return std::nullopt;
  }
  constexpr std::int64_t kMagnitudeLimit = std::int64_t{1} << 31;  // |INT32_MIN|
  std::int64_t magnitude = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > kMagnitudeLimit) {
      return std::nullopt;
    }
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

namespace {

// Fills a counter from its input; only called when its loop is reached.
std::optional<CounterTextError> ReadCounter(char name, const CounterInput& input, Counter& counter) {
  counter.enabled = input.enabled;
  counter.style = input.style;
  if (!input.enabled) {
    return std::nullopt;
  }
  const auto from = ParseCounterText(input.fromText);
  if (!from) {
    return CounterTextError{name, input.fromText};
  }
  const auto to = ParseCounterText(input.toText);
  if (!to) {
    return CounterTextError{name, input.toText};
  }
  counter.from = *from;
  counter.to = *to;
  return std::nullopt;
}

}  // namespace

std::variant<AddressTemplate, CounterTextError, SegmentTextError> ReadTemplate(const TemplateInput& input) {
  for (const Segment& segment : kSegments) {
    const std::string* text = input.text(segment.letter);
    if (text && HasCharacterNotForAddress(*text)) return SegmentTextError{segment.letter, *text};
  }

  AddressTemplate tmpl;
  static_cast<TextSegments&>(tmpl) = input;
  tmpl.https = input.https;
  tmpl.counterLink = input.counterLink;

  // Switch and style are known without reading any text; only the range waits for its loop.
  for (const Segment& segment : kSegments) {
    if (segment.kind != SegmentKind::Counter) continue;
    const CounterInput& in = *input.counter(segment.letter);
    Counter& counter = *tmpl.counter(segment.letter);
    counter.enabled = in.enabled;
    counter.style = in.style;
  }

  if (auto error = ReadCounter('G', input.G, tmpl.G)) {
    return *error;
  }
  if (PassCount(tmpl.G) == 0) {
    return tmpl;
  }
  if (!tmpl.counterLink) {
    if (auto error = ReadCounter('J', input.J, tmpl.J)) {
      return *error;
    }
    if (PassCount(tmpl.J) == 0) {
      return tmpl;
    }
  }
  if (auto error = ReadCounter('L', input.L, tmpl.L)) {
    return *error;
  }
  return tmpl;
}

}  // namespace serialix
