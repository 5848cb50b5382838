#include "core/address_list.h"

#include <string>

namespace serialix {

namespace {

// Loop bounds of one counter, widened so that a `to` of INT32_MAX ends the loop instead of
// overflowing the step past it. A disabled counter makes one pass with the value 0.
struct Range {
  std::int64_t first = 0;
  std::int64_t last = 0;
};

Range RangeOf(const Counter& counter) {
  if (!counter.enabled) {
    return {};
  }
  return {counter.from, counter.to};
}

void AppendCounterText(std::string& out, const Counter& counter, std::int64_t value) {
  if (counter.enabled) {
    out += FormatCounterValue(static_cast<std::int32_t>(value), counter.style);
  }
}

}  // namespace

void BuildAddressList(const AddressTemplate& tmpl, const std::function<bool(std::string_view)>& consumer) {
  // An empty range anywhere means no address at all; checking first avoids walking the outer
  // counters over an inner range that never yields.
  const auto count = AddressCount(tmpl);
  if (count && *count == 0) {
    return;
  }
  const std::string head = std::string(SchemeText(tmpl.https)) + tmpl.B + tmpl.C + tmpl.D + tmpl.E + tmpl.F;
  const std::string afterG = tmpl.H + tmpl.I;
  const std::string afterJ = tmpl.K;
  const std::string tail = tmpl.M + tmpl.N;

  const Range g = RangeOf(tmpl.G);
  const Range l = RangeOf(tmpl.L);
  std::string address;
  for (std::int64_t gv = g.first; gv <= g.last; ++gv) {
    // With the link, J makes one pass per G value and shows that value in its own style.
    const Range j = tmpl.counterLink ? Range{gv, gv} : RangeOf(tmpl.J);
    for (std::int64_t jv = j.first; jv <= j.last; ++jv) {
      for (std::int64_t lv = l.first; lv <= l.last; ++lv) {
        address = head;
        AppendCounterText(address, tmpl.G, gv);
        address += afterG;
        AppendCounterText(address, tmpl.J, jv);
        address += afterJ;
        AppendCounterText(address, tmpl.L, lv);
        address += tail;
        if (!consumer(address)) {
          return;
        }
      }
    }
  }
}

}  // namespace serialix
