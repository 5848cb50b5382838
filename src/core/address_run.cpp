#include "core/address_run.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include "core/wide_integer.h"

namespace serialix {

namespace {

// One counter as the enumeration sees it: G, J, L in nesting order.
struct Level {
  bool enabled = false;
  std::int64_t first = 0;
  std::uint64_t passes = 1;
  FillStyle style = FillStyle::Plain;
};

struct Levels {
  Level level[3];
  bool link = false;
};

Levels LevelsOf(const AddressTemplate& tmpl) {
  Levels ls;
  ls.link = tmpl.counterLink;
  const Counter* counters[3] = {&tmpl.G, &tmpl.J, &tmpl.L};
  for (int k = 0; k < 3; ++k) {
    const Counter& c = *counters[k];
    Level& l = ls.level[k];
    l.enabled = c.enabled;
    l.style = c.style;
    l.first = c.enabled ? c.from : 0;
    l.passes = PassCount(c);
  }
  // Linked, J is no loop of its own: it shows G's value.
  if (ls.link) {
    ls.level[1].first = 0;
    ls.level[1].passes = 1;
  }
  return ls;
}

// The values of G, J, L at each index triple.
void ValuesAt(const Levels& ls, const std::uint64_t idx[3], std::int64_t values[3]) {
  for (int k = 0; k < 3; ++k) {
    values[k] = ls.level[k].first + static_cast<std::int64_t>(idx[k]);
  }
  if (ls.link) {
    values[1] = values[0];
  }
}

// Mixed-radix decoding of a position, L the fastest digit.
void Decode(const Levels& ls, std::uint64_t position, std::uint64_t idx[3]) {
  for (int k = 2; k >= 0; --k) {
    const std::uint64_t n = ls.level[k].passes;
    idx[k] = position % n;
    position /= n;
  }
}

// Total characters of a counter's texts over [first, last] in a style.
UInt128 SumTextLength(std::int64_t first, std::int64_t last, FillStyle style) {
  const auto minWidth = static_cast<std::uint64_t>(MinimumWidth(style));
  // Magnitudes [lo, hi], each written as at least minWidth digits plus `extra` sign characters.
  auto sumMagnitudes = [minWidth](std::int64_t lo, std::int64_t hi, std::uint64_t extra) {
    UInt128 sum = 0;
    std::int64_t decadeLo = 0;
    std::int64_t decadeHi = 9;
    for (std::uint64_t width = 1; width <= 19 && decadeLo <= hi; ++width) {
      const std::int64_t a = std::max(lo, decadeLo);
      const std::int64_t b = std::min(hi, decadeHi);
      if (a <= b) {
        sum += static_cast<UInt128>(b - a + 1) * (std::max(width, minWidth) + extra);
      }
      decadeLo = decadeHi + 1;
      decadeHi = decadeLo * 10 - 1;
    }
    return sum;
  };
  UInt128 sum = 0;
  if (last >= 0) {
    sum += sumMagnitudes(std::max<std::int64_t>(first, 0), last, 0);
  }
  if (first < 0) {
    sum += sumMagnitudes(-std::min<std::int64_t>(last, -1), -first, 1);
  }
  return sum;
}

}  // namespace

AddressRun::AddressRun(AddressTemplate tmpl) : AddressRun(tmpl, std::string(SchemeText(tmpl.https))) {}

AddressRun::AddressRun(AddressTemplate tmpl, std::string scheme) : tmpl_(std::move(tmpl)) {
  size_ = AddressCount(tmpl_).value_or(0);  // a count beyond 63 bits is refused upstream; hold nothing
  fixed_[0] = scheme + tmpl_.B + tmpl_.C + tmpl_.D + tmpl_.E + tmpl_.F;
  fixed_[1] = tmpl_.H + tmpl_.I;
  fixed_[2] = tmpl_.K;
  fixed_[3] = tmpl_.M + tmpl_.N;
}

std::string AddressRun::at(std::uint64_t position) const {
  const Levels ls = LevelsOf(tmpl_);
  std::uint64_t idx[3];
  Decode(ls, position, idx);
  std::int64_t values[3];
  ValuesAt(ls, idx, values);

  std::string text;
  text.reserve(fixed_[0].size() + fixed_[1].size() + fixed_[2].size() + fixed_[3].size() + 3 * kMaxCounterChars);
  char digits[kMaxCounterChars + 4];
  for (int k = 0; k < 3; ++k) {
    text += fixed_[k];
    if (ls.level[k].enabled) {
      text.append(digits, WriteCounterValue(digits, static_cast<std::int32_t>(values[k]), ls.level[k].style));
    }
  }
  text += fixed_[3];
  return text;
}

Odometer AddressRun::odometer() const {
  const Levels ls = LevelsOf(tmpl_);
  Odometer odometer;
  odometer.texts.push_back(fixed_[0]);
  for (std::size_t k = 0; k < 3; ++k) {
    const Level& level = ls.level[k];
    odometer.wheels.push_back(level.passes);
    if (level.enabled) {
      // Linked, J shows G's value in its own style.
      const bool linked = k == 1 && ls.link;
      OdometerField field;
      field.wheel = linked ? 0 : k;
      field.first = linked ? ls.level[0].first : level.first;
      field.minDigits = MinimumWidth(level.style);
      odometer.fields.push_back(std::move(field));
      odometer.texts.push_back(fixed_[k + 1]);
    } else {
      odometer.texts.back() += fixed_[k + 1];
    }
  }
  return odometer;
}

std::vector<std::uint64_t> AddressRun::wheelsAt(std::uint64_t position) const {
  std::uint64_t idx[3];
  Decode(LevelsOf(tmpl_), position, idx);
  return {idx[0], idx[1], idx[2]};
}

bool AddressRun::writeLines(std::uint64_t first, std::uint64_t count, const ChunkSink& sink, LineEnd lineEnd) const {
  if (first >= size_ || count == 0) return true;
  return odometer().writeLines(wheelsAt(first), std::min(count, size_ - first), sink, lineEnd);
}

char* AddressRun::writeLinesTo(std::uint64_t first, std::uint64_t count, char* out, LineEnd lineEnd) const {
  if (first >= size_ || count == 0) return out;
  return odometer().writeLinesTo(wheelsAt(first), std::min(count, size_ - first), out, lineEnd);
}

AddressRun AddressRun::withTextsMapped(const std::function<std::string(const std::string&)>& f) const {
  AddressTemplate mapped = tmpl_;
  mapped.forEach([&f](std::string& text) { text = f(text); });
  std::string scheme = f(std::string(SchemeText(mapped.https)));
  return AddressRun(std::move(mapped), std::move(scheme));
}

std::uint64_t AddressRun::textBytes(LineEnd lineEnd) const {
  if (size_ == 0) {
    return 0;
  }
  const Levels ls = LevelsOf(tmpl_);
  UInt128 total = lineEnd == LineEnd::CrLf ? 2 : 1;
  for (const auto& f : fixed_) {
    total += f.size();
  }
  total *= size_;
  for (int k = 0; k < 3; ++k) {
    const Level& l = ls.level[k];
    if (!l.enabled) {
      continue;
    }
    // Linked, J runs over G's values (a disabled G gives 0), each repeated as often as G's.
    const Level& range = (k == 1 && ls.link) ? ls.level[0] : l;
    const auto last = range.first + static_cast<std::int64_t>(range.passes) - 1;
    total += SumTextLength(range.first, last, l.style) * (size_ / range.passes);
  }
  constexpr UInt128 kMax = std::numeric_limits<std::uint64_t>::max();
  return total > kMax ? std::numeric_limits<std::uint64_t>::max() : static_cast<std::uint64_t>(total);
}

}  // namespace serialix
