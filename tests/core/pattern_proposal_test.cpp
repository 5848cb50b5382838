#include "core/pattern_proposal.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/address_list.h"
#include "core/template_pattern.h"

namespace serialix {
namespace {

using R = PatternRefusalReason;

TEST(PatternProposal, RefusesWhatTheSegmentsCannotSayNamingThePart) {
  const struct {
    const char* pattern;
    R reason;
    std::size_t column;
    const char* part;
  } refused[] = {
      {"http://a.com/[1-9:2].jpg", R::Step, 14, "[1-9:2]"},
      {"http://a.com/[a-z].jpg", R::Letters, 14, "[a-z]"},
      {"http://a.com/p[0001-9999].jpg", R::TooWide, 15, "[0001-9999]"},
      {"http://a.com/[1-2]/[1-2]/[1-2]/[1-2]", R::TooMany, 32, "[1-2]"},
      {"http://a.com/{x,y}/[1-2]", R::List, 14, "{x,y}"},
      {"http://a.com/[1-3@a]_[4-6@a]", R::Lockstep, 14, "[1-3@a]"},
      {"http://a.com/[9-1]", R::Descending, 14, "[9-1]"},
      {"http://a.com/[1-2147483648]", R::TooLarge, 14, "[1-2147483648]"},
      {"http://a.com/[1-2]/[3-4][#1]", R::Repeat, 25, "[#1]"},
      {"http://a.com/[1-2]/[3-4]/[#2]", R::Repeat, 26, "[#2]"},
      {"ftp://a.com/[1-2]", R::NotHttp, 1, "ftp://"},
      {"{http,ftp}://a.com/[1-2]", R::NotHttp, 1, "{http,ftp}"},
      {"HTTP://a.com/[1-2]", R::NotHttp, 1, "HTTP://"},
      {"http://a.com/[1-", R::Unreadable, 17, ""},
  };
  for (const auto& r : refused) {
    SCOPED_TRACE(r.pattern);
    const auto result = ProposeTemplateFromPattern(r.pattern);
    const auto* refusal = std::get_if<PatternRefusal>(&result);
    ASSERT_NE(refusal, nullptr);
    EXPECT_EQ(refusal->reason, r.reason);
    EXPECT_EQ(refusal->column, r.column);
    EXPECT_EQ(refusal->part, r.part);
  }
}

TEST(PatternProposal, CutsTheTextAsTheExampleAddressIs) {
  const auto result = ProposeTemplateFromPattern("https://example.com/a/vol[01-03]/page[#1]_[001-120].jpg");
  const auto& p = std::get<TemplateProposal>(result);
  EXPECT_TRUE(p.https);
  EXPECT_EQ(p.B, "example.com/a");
  EXPECT_EQ(p.F, "vol");
  EXPECT_EQ(p.I, "page");
  EXPECT_EQ(p.K, "_");
  EXPECT_EQ(p.N, "jpg");
  EXPECT_TRUE(p.on.C && p.on.H && p.on.M && !p.on.D && !p.on.E);
  EXPECT_TRUE(p.counterLink);
  EXPECT_FALSE(p.textLink);
  EXPECT_EQ(p.G.from + p.G.to + p.L.from + p.L.to, "0103001120");
  EXPECT_EQ(p.L.style, FillStyle::ThreeDigit);
  EXPECT_EQ(p.lastCounter, 'L');
}

// Whatever the window can run, its pattern comes back as a template that runs the same rows and
// writes the same pattern again.
TEST(PatternProposal, PropertyTemplateToPatternToTemplateKeepsThePatternAndTheRows) {
  std::mt19937 random(20261208);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const std::string pieces[] = {"", "a", "/", ".", "[", "}", "?", "#", "\\", "#1", "日本", "-", "x.y/"};
  auto text = [&] {
    std::string t;
    for (int n = pick(4); n > 0; --n) t += pieces[pick(13)];
    return t;
  };
  auto counter = [&] {
    const std::int32_t from = pick(4) == 0 ? 990 + pick(20) : pick(12);
    return Counter{pick(4) != 0, from, from + pick(14), static_cast<FillStyle>(pick(3))};
  };
  auto rows = [](const AddressTemplate& t) {
    std::vector<std::string> out;
    BuildAddressList(t, [&](std::string_view a) { return out.emplace_back(a), true; });
    return out;
  };
  for (int i = 0; i < 2000; ++i) {
    AddressTemplate t;
    t.forEach([&](std::string& s) { s = text(); });
    t.https = pick(2) == 0;
    t.G = counter(), t.J = counter(), t.L = counter();
    t.counterLink = pick(2) == 0;
    if (t.counterLink) t.J.style = t.G.style;  // the window keeps a linked J in G's style
    const std::string written = WritePattern(*TemplatePattern(t));
    SCOPED_TRACE(written);
    const auto proposal = ProposeTemplateFromPattern(written);
    ASSERT_TRUE(std::holds_alternative<TemplateProposal>(proposal));
    const auto read = ReadTemplate(ProposedTemplateInput(std::get<TemplateProposal>(proposal)));
    const auto& back = std::get<AddressTemplate>(read);
    EXPECT_EQ(WritePattern(*TemplatePattern(back)), written);
    EXPECT_EQ(rows(back), rows(t));
  }
}

TEST(PatternProposal, TellsPatternsFromPlainAddresses) {
  EXPECT_TRUE(LooksLikePattern("http://a.com/[1-5].jpg"));
  EXPECT_TRUE(LooksLikePattern("http://a.com/{a,b}.jpg"));
  EXPECT_TRUE(LooksLikePattern("http://a.com/[1-.jpg"));
  EXPECT_FALSE(LooksLikePattern("http://a.com/05.jpg"));
  EXPECT_FALSE(LooksLikePattern("http://a.com/\\[5\\].jpg"));
  EXPECT_FALSE(LooksLikePattern("http://[::1]/05.jpg"));
}

}  // namespace
}  // namespace serialix
