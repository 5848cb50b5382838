#pragma once

// Cutting an address into the window's fourteen segments once its counters are placed. The
// example address and the pattern share it, so both fill the template alike.

#include <cstddef>
#include <span>
#include <string_view>

#include "example_address.h"

namespace serialix {

// A counter standing in an address: where its text is and how the window writes it.
struct PlacedCounter {
  std::size_t position = 0;  // byte offset in the address
  std::size_t length = 0;
  CounterSetting setting;
};

// The template whose segments hold the address's texts around its counters (at most three, left
// to right, after the scheme), cut as a user types them into the window:
//  - before the first counter: B up to the last "/", that "/" as C, the rest as F;
//  - between the first and the second: "/" as H when the text begins with one, the rest as I;
//  - between the second and the third: K;
//  - after the last: an extension (after the last "." that stands in the path, before a "?" or
//    "#", with no "/" after it) as M and N, the text before it as the next text of the list
//    above; after a third counter everything goes to N (M only when the text begins with ".").
// The counters become G, J, L in order. The counter link holds only where J is unused; the text
// link holds while I is empty or repeats F. The scheme is the caller's.
TemplateProposal CutIntoSegments(std::string_view address, std::size_t schemeLength,
                                 std::span<const PlacedCounter> counters);

}  // namespace serialix
