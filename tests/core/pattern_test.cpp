#include "core/pattern.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/address_list.h"
#include "core/pattern_proposal.h"
#include "core/template_pattern.h"

namespace serialix {
namespace {

using Lines = std::vector<std::string>;

Lines Expand(const Pattern& pattern) {
  std::string text;
  EXPECT_TRUE(WritePatternLines(pattern, [&](std::string_view chunk) { return text += chunk, true; }));
  Lines lines;
  for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
    lines.push_back(text.substr(at, end - at));
  }
  return lines;
}

Pattern Read(const std::string& text) {
  auto read = ReadPattern(text);
  if (const auto* error = std::get_if<PatternError>(&read)) {
    ADD_FAILURE() << text << ": " << error->message << " at " << error->column;
    return {};
  }
  return std::get<Pattern>(read);
}

// curl's behaviour (checked against curl 7.88) and ours beyond it.
TEST(Pattern, ExpandsLikeCurlAndBeyond) {
  const struct {
    const char* pattern;
    Lines lines;
  } rows[] = {
      {"a[1-3]b", {"a1b", "a2b", "a3b"}},
      {"[08-11]", {"08", "09", "10", "11"}},
      {"[1-010]", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},  // only the start pads
      {"[0-10:5]{x,y}", {"0x", "0y", "5x", "5y", "10x", "10y"}},
      {"[1-5: 2]/[1- 2]", {"1/1", "1/2", "3/1", "3/2", "5/1", "5/2"}},  // strtoul's blanks
      {"[a-e:2]", {"a", "c", "e"}},
      {"[a-d:+2]", {"a", "c"}},
      {"[Z-]]", {"Z", "[", "\\", "]"}},  // any last character within 25 of the first
      {"{,a,}", {"", "a", ""}},
      {"{a\\,b,\\}}", {"a,b", "}"}},
      {"\\[x\\]\\{\\}\\a", {"[x]{}\\a"}},
      {"h[]/[::1]:80/[fe80::1%25eth0]", {"h[]/[::1]:80/[fe80::1%25eth0]"}},
      {"[5-5]", {"5"}},
      {"{a,b}[18446744073709551614-18446744073709551615]",  // curl 7.88 wraps to a0, a1 here
       {"a18446744073709551614", "a18446744073709551615", "b18446744073709551614", "b18446744073709551615"}},
      {"{x,y}[a-z:25]", {"xa", "xz", "ya", "yz"}},  // curl 7.88 overflows its character here
      {"[10-1:3]", {"10", "7", "4", "1"}},
      {"[010-8]", {"010", "009", "008"}},
      {"[c-a]", {"c", "b", "a"}},
      {"[z-a:12]", {"z", "n", "b"}},
      {"[7-9@a]x[6-8@a]y[35-33@a]", {"7x6y35", "8x7y34", "9x8y33"}},
      {"[1-2@n]{p,q}[a-b@n]", {"1pa", "1qa", "2pb", "2qb"}},
      {"{p,q}[1-2][#1]", {"p1p", "p2p", "q1q", "q2q"}},
      {"a\\", {"a\\"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.pattern);
    const Pattern pattern = Read(row.pattern);
    EXPECT_EQ(Expand(pattern), row.lines);
    EXPECT_EQ(PatternCount(pattern), BigUnsigned(row.lines.size()));
    EXPECT_EQ(FirstAddress(pattern), row.lines.front());
    EXPECT_EQ(LastAddress(pattern), row.lines.back());
    EXPECT_EQ(Expand(Read(WritePattern(pattern))), row.lines);
  }
}

// Columns as curl reports them (less the length of what comes before the pattern).
TEST(Pattern, RefusesWithTheColumn) {
  const struct {
    const char* pattern;
    const char* message;
    std::size_t column;
  } rows[] = {
      {"a[1-2", "bad range", 5},
      {"[a-5]", "bad range", 6},
      {"[1-5:0]", "bad range", 8},
      {"[1-5:10]", "bad range", 9},
      {"[a-a:2]", "bad range", 8},
      {"[a-z:99999999999]", "bad range", 18},
      {"[99999999999999999999-1]", "bad range", 2},
      {"[-1-2]", "bad range specification", 2},
      {"{a[1-2]}", "nested brace", 3},
      {"{}", "empty string within braces", 2},
      {"a}b", "unmatched close brace/bracket", 2},
      {"ab{c", "unmatched brace", 3},
      {"x{a]", "unexpected close bracket", 4},
      {"[0-18446744073709551615]", "bad range", 25},
      {"x[#2]", "[#K] names no earlier range or list", 4},
      {"[1-2][#0]", "[#K] names no earlier range or list", 8},
      {"[1-3@a]/[4-5@a]", "lockstep ranges of unequal length", 9},
      {"[1-3@]", "bad range", 4},
      {"a\tb", "control character", 2},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.pattern);
    const auto read = ReadPattern(row.pattern);
    ASSERT_TRUE(std::holds_alternative<PatternError>(read));
    EXPECT_EQ(std::get<PatternError>(read).message, row.message);
    EXPECT_EQ(std::get<PatternError>(read).column, row.column);
  }
}

TEST(Pattern, CountsBeyond64BitsAndEndsWithoutEnumerating) {
  const Pattern pattern = Read("x/[1-1000000000000]/[0-999999999999]/[a-z]");
  EXPECT_EQ(PatternCount(pattern).toString(), "26000000000000000000000000");
  EXPECT_EQ(PatternCount(pattern).toUint64(), std::nullopt);
  EXPECT_EQ(FirstAddress(pattern), "x/1/0/a");
  EXPECT_EQ(LastAddress(pattern), "x/1000000000000/999999999999/z");
  EXPECT_EQ((BigUnsigned(1) * 18446744073709551615u + 1).toString(), "18446744073709551616");
}

// Backslashes before a glob cannot stay literal text: the writer moves them into a list.
TEST(Pattern, WriterEscapesLiteralsAndTrailingBackslashes) {
  const Pattern pattern{{std::string("a[{\\\\"), PatternRange{false, 1, 2, 1, 0, ""}, PatternRepeat{0}}};
  EXPECT_EQ(WritePattern(pattern), "a\\[\\{{\\\\\\\\}[1-2][#2]");
  EXPECT_EQ(Expand(Read(WritePattern(pattern))), (Lines{"a[{\\\\11", "a[{\\\\22"}));
}

// The window's template written as a pattern expands to exactly the run's rows, and comes back
// as a template that writes the same pattern.
TEST(TemplatePattern, ExpandsToTheWindowsRun) {
  std::mt19937 random(20261207);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const std::string pieces[] = {"", "a", "/", ".", "[", "]", "{", "}", ",", "\\", "#1", "日本", "-"};
  auto text = [&] {
    std::string t;
    for (int n = pick(3); n > 0; --n) t += pieces[pick(13)];
    return t;
  };
  auto counter = [&] {
    const std::int32_t from = pick(4) == 0 ? 95 + pick(10) : pick(12);
    return Counter{pick(4) != 0, from, from + pick(14), static_cast<FillStyle>(pick(3))};
  };
  for (int i = 0; i < 3000; ++i) {
    AddressTemplate t;
    t.forEach([&](std::string& s) { s = text(); });
    t.G = counter(), t.J = counter(), t.L = counter();
    t.counterLink = pick(2) == 0;
    t.https = i % 2 == 0;
    Lines rows;
    BuildAddressList(t, [&](std::string_view a) { return rows.emplace_back(a), true; });
    const auto pattern = TemplatePattern(t);
    ASSERT_TRUE(pattern);
    const std::string written = WritePattern(*pattern);
    ASSERT_EQ(Expand(Read(written)), rows) << written;
    // Back into the window: the same pattern again. A linked J in a style of its own (a lockstep
    // pair) is what the window never holds, as its style follows G's.
    if (written.find("@g]") != std::string::npos) continue;
    const auto proposal = ProposeTemplateFromPattern(written);
    ASSERT_TRUE(std::holds_alternative<TemplateProposal>(proposal)) << written;
    const auto back = ReadTemplate(ProposedTemplateInput(std::get<TemplateProposal>(proposal)));
    ASSERT_EQ(WritePattern(*TemplatePattern(std::get<AddressTemplate>(back))), written);
  }
  AddressTemplate negative;
  negative.G = Counter{true, -1, 1, FillStyle::Plain};
  EXPECT_FALSE(TemplatePattern(negative));
}

}  // namespace
}  // namespace serialix
