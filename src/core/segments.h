#pragma once

// The fourteen segments of an address, A to N, described once: everything that walks the
// segments iterates kSegments instead of naming the letters again.

#include <array>
#include <cstddef>
#include <string_view>

namespace serialix {

enum class SegmentKind {
  Fixed,    // always the same text: "http://", or a separator "/" or "."
  Text,     // free text: the host, texts F and I, the symbol, the extension
  Letter,   // one letter picked from a list
  Counter,  // a numbered range: G, J, L
};

struct Segment {
  char letter = 'A';
  SegmentKind kind = SegmentKind::Fixed;
  std::string_view fixedText;  // the text of a Fixed segment, empty otherwise
  bool switchable = true;      // has a switch that leaves it out of the address (C to N)
};

inline constexpr std::array<Segment, 14> kSegments{{
    {'A', SegmentKind::Fixed, "http://", false},
    {'B', SegmentKind::Text, {}, false},
    {'C', SegmentKind::Fixed, "/", true},
    {'D', SegmentKind::Letter, {}, true},
    {'E', SegmentKind::Fixed, "/", true},
    {'F', SegmentKind::Text, {}, true},
    {'G', SegmentKind::Counter, {}, true},
    {'H', SegmentKind::Fixed, "/", true},
    {'I', SegmentKind::Text, {}, true},
    {'J', SegmentKind::Counter, {}, true},
    {'K', SegmentKind::Text, {}, true},
    {'L', SegmentKind::Counter, {}, true},
    {'M', SegmentKind::Fixed, ".", true},
    {'N', SegmentKind::Text, {}, true},
}};

// The position of a segment in address order (A is 0); the letters follow each other.
constexpr std::size_t SegmentIndex(char letter) {
  return static_cast<std::size_t>(letter - kSegments.front().letter);
}

constexpr const Segment& SegmentOf(char letter) {
  return kSegments[SegmentIndex(letter)];
}

// Every address begins with segment A: "http://" as described, or "https://" when chosen.
inline constexpr std::string_view kScheme = kSegments.front().fixedText;
inline constexpr std::string_view kSecureScheme = "https://";

constexpr std::string_view SchemeText(bool https) {
  return https ? kSecureScheme : kScheme;
}

}  // namespace serialix
