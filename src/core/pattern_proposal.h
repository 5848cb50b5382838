#pragma once

// Turning a pattern into the window's template, when the fourteen segments can say it: the
// pattern's ranges become the counters G, J, L in order, its literal text is cut into the text
// segments as an example address is (CutIntoSegments), and "[#1]" in J's place is the counter
// link.

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

#include "example_address.h"

namespace serialix {

// Why a pattern cannot become the template.
enum class PatternRefusalReason {
  Unreadable,  // the pattern reader refused it; `detail` holds its words
  NotHttp,     // the text does not begin with "http://" or "https://"
  List,        // a list of more than one item "{a,b}"
  Letters,     // a letter range "[a-z]"
  Step,        // a range with a step other than 1 "[1-9:2]"
  Descending,  // a range that counts down "[9-1]"
  TooWide,     // zero-padded to more than three digits "[0001-9999]"
  TooLarge,    // a number beyond the counters' 32-bit range
  Lockstep,    // a range of a lockstep group "[1-3@a]"
  Repeat,      // "[#K]" other than "[#1]" in J's place
  TooMany,     // a fourth counter
};

struct PatternRefusal {
  PatternRefusalReason reason = PatternRefusalReason::Unreadable;
  std::size_t column = 0;  // 1-based byte position of the refused part in the pattern text
  std::string part;        // the refused part as written (empty for an unreadable pattern)
  std::string detail;      // the reader's message for an unreadable pattern
};

// The template whose next run yields exactly the pattern's addresses, or why there is none:
//  - the pattern begins with "http://" or "https://" (which sets the proposal's https);
//  - up to three numeric ranges, ascending by 1, each with the padding of one fill style
//    ("[1-9]" plain, "[01-99]" two-digit, "[001-999]" three-digit), within 0..2147483647;
//  - "[#K]" naming the first range, as the second counter: J follows G (the counter link);
//  - a list of one item, which is literal text (the writer puts backslashes before a glob in one).
// The counters' from and to texts are the ranges' ends written in their style.
std::variant<TemplateProposal, PatternRefusal> ProposeTemplateFromPattern(std::string_view pattern);

// Whether a pasted text means a pattern rather than one address: it reads as a pattern with a
// range, list or repeat in it, or it fails to read as one at an unescaped bracket or brace.
bool LooksLikePattern(std::string_view text);

}  // namespace serialix
