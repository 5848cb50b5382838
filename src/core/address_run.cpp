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

// Small enough to stay in the second-level cache between the writer and the sink.
constexpr std::size_t kChunkBytes = std::size_t{1} << 18;
constexpr std::size_t kBatchLines = 10;
// Lines up to this length are copied with one fixed-size memcpy (a few vector moves); the
// line buffer and the chunk carry this much slack so the over-read and over-write are safe.
constexpr std::size_t kFixedCopy = 64;

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

// Adds one to the decimal digits [begin, end) in place; false when they were all nines (the
// digits are then left as zeros and the number needs one more digit).
bool CarryIncrement(char* begin, char* end) {
  for (char* d = end; d != begin;) {
    --d;
    if (*d != '9') {
      ++*d;
      return true;
    }
    *d = '0';
  }
  return false;
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

AddressRun::AddressRun(AddressTemplate tmpl) : AddressRun(std::move(tmpl), std::string(kScheme)) {}

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

bool AddressRun::writeLines(std::uint64_t first, std::uint64_t count, const ChunkSink& sink, LineEnd lineEnd) const {
  if (first >= size_ || count == 0) {
    return true;
  }
  count = std::min(count, size_ - first);

  const Levels ls = LevelsOf(tmpl_);
  int inner = -1;  // the innermost counter that steps; every other one changes only on its wrap
  for (int k = 2; k >= 0; --k) {
    if (ls.level[k].passes > 1) {
      inner = k;
      break;
    }
  }

  std::size_t maxLine = 2 + 3 * kMaxCounterChars;
  for (const auto& f : fixed_) {
    maxLine += f.size();
  }
  std::vector<char> line(maxLine + kFixedCopy, '\0');
  std::vector<char> chunk(kChunkBytes + kBatchLines * (maxLine + kFixedCopy));

  std::uint64_t idx[3];
  Decode(ls, first, idx);
  std::size_t lineLength = 0;
  char* fieldBegin = nullptr;  // the inner counter's digits in `line`
  char* fieldEnd = nullptr;
  bool fast = false;  // whether the inner counter can step by bumping its digits in place

  auto render = [&] {
    std::int64_t values[3];
    ValuesAt(ls, idx, values);
    char* p = line.data();
    for (int k = 0; k < 3; ++k) {
      std::memcpy(p, fixed_[k].data(), fixed_[k].size());
      p += fixed_[k].size();
      if (ls.level[k].enabled) {
        char* begin = p;
        p = WriteCounterValue(p, static_cast<std::int32_t>(values[k]), ls.level[k].style);
        if (k == inner) {
          fieldBegin = begin;
          fieldEnd = p;
        }
      }
    }
    std::memcpy(p, fixed_[3].data(), fixed_[3].size());
    p += fixed_[3].size();
    if (lineEnd == LineEnd::CrLf) *p++ = '\r';
    *p++ = '\n';
    lineLength = static_cast<std::size_t>(p - line.data());
    // A linked G shows in two places, and a negative value does not step by digit carry.
    fast = inner >= 0 && values[inner] >= 0 && !(inner == 0 && ls.link && ls.level[1].enabled);
  };
  render();

  char* const begin = chunk.data();
  char* const flushAt = begin + kChunkBytes;
  char* out = begin;
  std::uint64_t remaining = count;
  std::uint64_t innerLeft = inner >= 0 ? ls.level[inner].passes - 1 - idx[inner] : 0;
  const char* const src = line.data();
  // Short lines go as one fixed-size copy (a few vector moves); both buffers carry the slack.
  auto copyLine = [&](char* to) {
    if (lineLength <= kFixedCopy) {
      std::memcpy(to, src, kFixedCopy);
    } else {
      std::memcpy(to, src, lineLength);
    }
  };
  for (;;) {
    // Up to ten lines that differ only in the inner counter's last digit. That digit is stored
    // into the output, not into `line`: a byte store followed by a wide load of the same line
    // would stall on store forwarding every line.
    std::uint64_t batch = 1;
    if (fast) {
      batch = std::min<std::uint64_t>({static_cast<std::uint64_t>('9' - fieldEnd[-1]) + 1, innerLeft + 1, remaining});
    }
    if (batch == 1) {
      copyLine(out);
      out += lineLength;
    } else {
      const auto digitAt = static_cast<std::size_t>(fieldEnd - 1 - src);
      char digit = fieldEnd[-1];
      for (std::uint64_t i = 0; i < batch; ++i, ++digit) {
        copyLine(out);
        out[digitAt] = digit;
        out += lineLength;
      }
      fieldEnd[-1] = static_cast<char>(digit - 1);
    }
    remaining -= batch;
    innerLeft -= batch - 1;
    if (out >= flushAt) {
      if (!sink(std::string_view(begin, static_cast<std::size_t>(out - begin)))) {
        return false;
      }
      out = begin;
    }
    if (remaining == 0) {
      break;
    }
    if (innerLeft != 0) {
      --innerLeft;
      if (fast && CarryIncrement(fieldBegin, fieldEnd)) {
        continue;
      }
      // Slow step; after all nines the text grows by a digit and everything after it moves.
      idx[inner] = ls.level[inner].passes - 1 - innerLeft;
    } else {
      idx[inner] = 0;
      for (int k = inner - 1; k >= 0; --k) {
        if (++idx[k] < ls.level[k].passes) {
          break;
        }
        idx[k] = 0;
      }
      innerLeft = ls.level[inner].passes - 1;
    }
    render();
  }
  if (out != begin) {
    return sink(std::string_view(begin, static_cast<std::size_t>(out - begin)));
  }
  return true;
}

AddressRun AddressRun::withTextsMapped(const std::function<std::string(const std::string&)>& f) const {
  AddressTemplate mapped = tmpl_;
  mapped.forEach([&f](std::string& text) { text = f(text); });
  return AddressRun(std::move(mapped), f(std::string(kScheme)));
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
