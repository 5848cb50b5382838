#include "core/pattern_proposal.h"

#include <gtest/gtest.h>

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

TEST(PatternProposal, TellsPatternsFromPlainAddresses) {
  for (const char* pattern : {"http://a.com/[1-5].jpg", "http://a.com/{a,b}.jpg", "http://a.com/[1-.jpg"}) {
    EXPECT_TRUE(LooksLikePattern(pattern)) << pattern;
  }
  for (const char* address : {"http://a.com/05.jpg", "http://a.com/\\[5\\].jpg", "http://[::1]/05.jpg"}) {
    EXPECT_FALSE(LooksLikePattern(address)) << address;
  }
}

}  // namespace
}  // namespace serialix
