#include "core/counter_order.h"

#include <cctype>
#include <string>

namespace serialix {
namespace {

// A decimal number as sign, integer digits without leading zeros, and fraction digits without
// trailing zeros, so that two numbers compare by their texts.
struct Decimal {
  bool negative = false;
  std::string integer;
  std::string fraction;
};

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

void normalize(Decimal& d) {
  const auto first = d.integer.find_first_not_of('0');
  d.integer = first == std::string::npos ? std::string() : d.integer.substr(first);
  const auto last = d.fraction.find_last_not_of('0');
  d.fraction = last == std::string::npos ? std::string() : d.fraction.substr(0, last + 1);
  if (d.integer.empty() && d.fraction.empty()) d.negative = false;  // -0 is 0
}

// Compares magnitudes: <0, 0, >0.
int compareMagnitude(const Decimal& a, const Decimal& b) {
  if (a.integer.size() != b.integer.size()) return a.integer.size() < b.integer.size() ? -1 : 1;
  if (int c = a.integer.compare(b.integer); c != 0) return c < 0 ? -1 : 1;
  if (int c = a.fraction.compare(b.fraction); c != 0) return c < 0 ? -1 : 1;
  return 0;
}

bool less(const Decimal& a, const Decimal& b) {
  if (a.negative != b.negative) return a.negative;
  const int c = compareMagnitude(a, b);
  return a.negative ? c > 0 : c < 0;
}

bool readWhole(std::string_view text, Decimal& out) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) out.negative = text[i++] == '-';
  if (i == text.size() && !text.empty()) return false;  // a lone sign
  for (; i < text.size(); ++i) {
    if (!isDigit(text[i])) return false;
    out.integer.push_back(text[i]);
  }
  normalize(out);
  return true;
}

Decimal readLeadingNumber(std::string_view text) {
  Decimal d;
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  };
  skipBlanks();
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) d.negative = text[i++] == '-';
  for (; i < text.size() && isDigit(text[i]); ++i) d.integer.push_back(text[i]);
  if (i < text.size() && text[i] == '.') {
    for (++i; i < text.size() && isDigit(text[i]); ++i) d.fraction.push_back(text[i]);
  }
  normalize(d);
  return d;
}

}  // namespace

bool ToTextBelowFromText(std::string_view fromText, std::string_view toText) {
  Decimal from;
  if (!readWhole(fromText, from)) return false;
  return less(readLeadingNumber(toText), from);
}

}  // namespace serialix
