// The pattern reader: curl's URL globbing, rule for rule, plus our extensions (descending
// ranges, "@NAME" lockstep groups, "[#K]" repeats), each of which curl refuses as a bad range.
#include <climits>
#include <limits>
#include <map>
#include <optional>

#include "core/pattern.h"

namespace serialix {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsAlpha(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsHex(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
bool IsSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsNameChar(char c) {
  return IsAlpha(c) || IsDigit(c) || c == '_';
}

// "[", "]", "{", "}": escaped with a backslash in literal text.
bool IsSpecial(char c) {
  return c == '[' || c == ']' || c == '{' || c == '}';
}

// An unsigned number read the way C's strtoul reads one in base 10: blanks, a sign and digits;
// a minus sign negates modulo 2^64. `end` is where reading stopped (the start when no digit).
struct Number {
  std::uint64_t value = 0;
  std::size_t end = 0;
  bool converted = false;
  bool overflow = false;
};

Number ReadNumber(std::string_view text, std::size_t at) {
  Number n;
  n.end = at;
  std::size_t p = at;
  while (p < text.size() && IsSpace(text[p])) ++p;
  bool negative = false;
  if (p < text.size() && (text[p] == '+' || text[p] == '-')) negative = text[p++] == '-';
  const std::size_t digits = p;
  for (; p < text.size() && IsDigit(text[p]); ++p) {
    const auto d = static_cast<std::uint64_t>(text[p] - '0');
    if (n.value > (std::numeric_limits<std::uint64_t>::max() - d) / 10) n.overflow = true;
    n.value = n.value * 10 + d;
  }
  if (p == digits) return n;
  n.converted = true;
  n.end = p;
  if (negative) n.value = 0 - n.value;
  return n;
}

// An IPv6 address literal between brackets, which curl copies as literal text: hexadecimal
// groups and "::", an optional dotted IPv4 tail and an optional zone after "%".
bool IsIpv6Literal(std::string_view inside) {
  if (const auto percent = inside.find('%'); percent != std::string_view::npos) {
    const std::string_view zone = inside.substr(percent + 1);
    if (zone.empty()) return false;
    for (const char c : zone) {
      if (!IsNameChar(c) && c != '.' && c != '-' && c != '~' && c != '%') return false;
    }
    inside = inside.substr(0, percent);
  }
  int groups = 0;
  bool doubleColon = false;
  std::size_t p = 0;
  if (inside.substr(0, 2) == "::") {
    doubleColon = true;
    p = 2;
  }
  while (p < inside.size()) {
    std::size_t q = p;
    while (q < inside.size() && IsHex(inside[q])) ++q;
    if (q < inside.size() && inside[q] == '.') {  // a dotted IPv4 tail counts as two groups
      int dots = 0;
      for (q = p; q < inside.size() && (IsDigit(inside[q]) || inside[q] == '.'); ++q) dots += inside[q] == '.';
      if (q != inside.size() || dots != 3) return false;
      groups += 2;
      p = q;
      break;
    }
    if (q == p || q - p > 4) return false;
    ++groups;
    p = q;
    if (p == inside.size()) break;
    if (inside[p] != ':') return false;
    if (inside.substr(p, 2) == "::") {
      if (doubleColon) return false;
      doubleColon = true;
      p += 2;
    } else if (++p == inside.size()) {
      return false;
    }
  }
  return doubleColon ? groups <= 7 : groups == 8;
}

class Reader {
 public:
  Reader(std::string_view text, std::vector<PatternSpan>* spans) : text_(text), spans_(spans) {}

  std::variant<Pattern, PatternError> read() {
    for (std::size_t i = 0; i < text_.size(); ++i) {
      const auto byte = static_cast<unsigned char>(text_[i]);
      if (byte < 0x20 || byte == 0x7F) return PatternError{"control character", i + 1};
    }
    std::size_t i = 0;
    while (i < text_.size()) {
      const char c = text_[i];
      const std::size_t start = i;
      if (c == '{') {
        flushLiteral(i);
        if (!readList(i)) return *error_;
        addSpan(start, i);
      } else if (c == '[') {
        const std::size_t skip = literalBracketLength(i);
        if (skip != 0) {
          markLiteral(i);
          literal_.append(text_.substr(i, skip));
          i += skip;
          continue;
        }
        flushLiteral(i);
        if (!readRange(i)) return *error_;
        addSpan(start, i);
      } else if (c == '}' || c == ']') {
        return PatternError{"unmatched close brace/bracket", i + 1};
      } else if (c == '\\' && i + 1 < text_.size() && IsSpecial(text_[i + 1])) {
        markLiteral(i);
        literal_ += text_[i + 1];
        i += 2;
      } else {
        markLiteral(i);
        literal_ += c;
        ++i;
      }
    }
    flushLiteral(text_.size());
    return std::move(pattern_);
  }

 private:
  std::string_view text_;
  std::vector<PatternSpan>* spans_;
  Pattern pattern_;
  std::string literal_;
  std::size_t literalStart_ = 0;
  std::size_t globs_ = 0;
  std::map<std::string, std::uint64_t> groupSizes_;
  std::optional<PatternError> error_;

  bool fail(std::string message, std::size_t at) {
    error_ = PatternError{std::move(message), at + 1};
    return false;
  }

  void addSpan(std::size_t start, std::size_t end) {
    if (spans_) spans_->push_back(PatternSpan{start + 1, end - start});
  }

  void markLiteral(std::size_t at) {
    if (literal_.empty()) literalStart_ = at;
  }

  void flushLiteral(std::size_t end) {
    if (!literal_.empty()) {
      pattern_.parts.emplace_back(std::move(literal_));
      addSpan(literalStart_, end);
    }
    literal_.clear();
  }

  // "[]" and "[IPv6 address]" stay literal text.
  std::size_t literalBracketLength(std::size_t at) const {
    const auto close = text_.find(']', at);
    if (close != std::string_view::npos && close - at + 1 < 128 &&
        IsIpv6Literal(text_.substr(at + 1, close - at - 1))) {
      return close - at + 1;
    }
    return at + 1 < text_.size() && text_[at + 1] == ']' ? 2 : 0;
  }

  bool readList(std::size_t& i) {
    const std::size_t open = i;
    PatternList list;
    std::string item;
    for (std::size_t j = open + 1;; ++j) {
      if (j >= text_.size()) return fail("unmatched brace", open);
      const char c = text_[j];
      if (c == '{' || c == '[') return fail("nested brace", j);
      if (c == ']') return fail("unexpected close bracket", j);
      if (c == '}') {
        if (j == open + 1) return fail("empty string within braces", j);
        list.items.push_back(std::move(item));
        i = j + 1;
        break;
      }
      if (c == ',') {
        list.items.push_back(std::move(item));
        item.clear();
        continue;
      }
      if (c == '\\' && j + 1 < text_.size()) ++j;  // in a list a backslash escapes any character
      item += text_[j];
    }
    pattern_.parts.emplace_back(std::move(list));
    ++globs_;
    return true;
  }

  // "@NAME" before the closing bracket; false when the name is empty.
  bool readGroup(std::size_t& p, std::string& group) const {
    std::size_t q = p + 1;
    while (q < text_.size() && IsNameChar(text_[q])) ++q;
    if (q == p + 1) return false;
    group = std::string(text_.substr(p + 1, q - p - 1));
    p = q;
    return true;
  }

  bool readRange(std::size_t& i) {
    const std::size_t s = i + 1;
    if (s < text_.size() && text_[s] == '#') return readRepeat(i);
    PatternRange range;
    std::size_t p = s;  // where reading stopped, for the error column
    bool ok = false;
    if (s < text_.size() && IsAlpha(text_[s])) {
      ok = readLetters(s, range, p);
    } else if (s < text_.size() && IsDigit(text_[s])) {
      ok = readNumbers(s, range, p);
    } else {
      return fail("bad range specification", s);
    }
    if (!ok) return fail("bad range", p);
    if (!range.group.empty()) {
      const auto [it, added] = groupSizes_.emplace(range.group, range.size());
      if (!added && it->second != range.size()) return fail("lockstep ranges of unequal length", i);
    }
    pattern_.parts.emplace_back(std::move(range));
    ++globs_;
    i = p;
    return true;
  }

  bool readRepeat(std::size_t& i) {
    std::size_t p = i + 2;
    std::size_t k = 0;
    while (p < text_.size() && IsDigit(text_[p]) && k <= globs_)
      k = k * 10 + static_cast<std::size_t>(text_[p++] - '0');
    if (p == i + 2 || p >= text_.size() || text_[p] != ']') return fail("bad repeat", p);
    if (k == 0 || k > globs_) return fail("[#K] names no earlier range or list", i + 2);
    pattern_.parts.emplace_back(PatternRepeat{k - 1});
    i = p + 1;
    return true;
  }

  // "a-z]", "a-z:2]", "z-a]", with "@NAME" before the bracket. The last letter may be any
  // character within 25 of the first, as in curl.
  bool readLetters(std::size_t s, PatternRange& range, std::size_t& p) {
    if (s + 3 >= text_.size() || text_[s + 1] != '-') return false;
    const int first = static_cast<signed char>(text_[s]);
    const int last = static_cast<signed char>(text_[s + 2]);
    std::uint64_t step = 1;
    std::size_t end = s + 3;
    if (text_[end] == ':') {
      const Number n = ReadNumber(text_, s + 4);
      if (n.overflow || !n.converted) return false;
      step = n.value;
      end = n.end;
    }
    if (end < text_.size() && text_[end] == '@' && !readGroup(end, range.group)) return false;
    if (end >= text_.size() || text_[end] != ']') return false;
    p = end + 1;
    const int distance = first < last ? last - first : first - last;
    if (step == 0 || step > static_cast<std::uint64_t>(INT_MAX) || (distance == 0 && step != 1) ||
        (distance != 0 && (distance > 'z' - 'a' || step > static_cast<std::uint64_t>(distance)))) {
      return false;
    }
    range.letters = true;
    range.first = static_cast<unsigned char>(first);
    range.last = static_cast<unsigned char>(last);
    range.step = step;
    return true;
  }

  // "1-10]", "001-120:5]", "10-1]", with "@NAME" before the bracket; the start text's leading
  // zeros give the width of every number.
  bool readNumbers(std::size_t s, PatternRange& range, std::size_t& p) {
    if (text_[s] == '0') {
      for (std::size_t q = s; q < text_.size() && IsDigit(text_[q]); ++q) ++range.width;
    }
    const Number first = ReadNumber(text_, s);
    if (first.overflow || first.end >= text_.size() || text_[first.end] != '-') return false;
    p = first.end + 1;
    while (p < text_.size() && (text_[p] == ' ' || text_[p] == '\t')) ++p;
    if (p >= text_.size() || !IsDigit(text_[p])) return false;
    const Number last = ReadNumber(text_, p);
    if (last.overflow) return false;
    std::uint64_t step = 1;
    std::size_t end = last.end;
    if (end < text_.size() && text_[end] == ':') {
      p = end + 1;
      const Number n = ReadNumber(text_, p);
      if (n.overflow) return false;
      step = n.value;
      end = n.end;
    }
    if (end < text_.size() && text_[end] == '@' && !readGroup(end, range.group)) return false;
    if (end >= text_.size() || text_[end] != ']') return false;
    p = end + 1;
    const std::uint64_t distance = first.value < last.value ? last.value - first.value : first.value - last.value;
    if (step == 0 || (distance == 0 && step != 1) || (distance != 0 && step > distance)) return false;
    if (distance / step == std::numeric_limits<std::uint64_t>::max()) return false;  // 2^64 numbers
    range.first = first.value;
    range.last = last.value;
    range.step = step;
    return true;
  }
};

}  // namespace

std::variant<Pattern, PatternError> ReadPattern(std::string_view text) {
  return Reader(text, nullptr).read();
}

std::variant<Pattern, PatternError> ReadPattern(std::string_view text, std::vector<PatternSpan>& spans) {
  spans.clear();
  return Reader(text, &spans).read();
}

}  // namespace serialix
