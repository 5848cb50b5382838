#include "core/result_list.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "core/address_list.h"

namespace serialix {
namespace {

Counter On(std::int32_t from, std::int32_t to, FillStyle style = FillStyle::Plain) {
  return Counter{true, from, to, style};
}

AddressTemplate Tmpl(std::string host, Counter g, Counter l, bool link = false) {
  AddressTemplate t;
  t.B = std::move(host);
  t.C = std::string("/");
  t.G = g;
  t.J = Counter{true, 0, 0, FillStyle::TwoDigit};
  t.K = std::string("~");
  t.L = l;
  t.counterLink = link;
  return t;
}

// Three runs of different shapes, and every line they hold, in order.
struct Fixture {
  ResultList list;
  std::vector<std::string> lines;

  void add(const AddressTemplate& t) {
    ASSERT_TRUE(list.append(AddressRun(t)));
    BuildAddressList(t, [&](std::string_view a) {
      lines.emplace_back(a);
      return true;
    });
  }
};

std::string Written(const ResultList& list, std::uint64_t first, std::uint64_t count) {
  std::string out;
  EXPECT_TRUE(list.writeLines(first, count, [&](std::string_view chunk) {
    out += chunk;
    return true;
  }));
  return out;
}

TEST(ResultList, PositionsAndLinesAcrossRuns) {
  Fixture f;
  f.add(Tmpl("a", On(8, 12, FillStyle::TwoDigit), On(0, 2), true));  // 15
  f.add(Tmpl("b", On(3, 1), On(0, 9)));                             // empty: adds nothing
  f.add(Tmpl("c", Counter{}, On(-3, 3, FillStyle::ThreeDigit)));    // 7
  f.add(Tmpl("d", On(99, 101), On(998, 1000)));                     // 9
  ASSERT_EQ(f.list.size(), f.lines.size());
  ASSERT_EQ(f.list.size(), 31u);
  EXPECT_EQ(f.list.runs().size(), 3u);

  std::string all;
  for (std::size_t i = 0; i < f.lines.size(); ++i) {
    EXPECT_EQ(f.list.at(i), f.lines[i]) << i;
    all += f.lines[i] + "\r\n";
  }
  EXPECT_EQ(f.list.at(f.lines.size()), "");
  EXPECT_EQ(f.list.textBytes(), all.size());

  std::string written;
  ASSERT_TRUE(f.list.writeAll([&](std::string_view chunk) {
    written += chunk;
    return true;
  }));
  EXPECT_EQ(written, all);

  // Every window [first, first + count) that starts and ends in or across run boundaries.
  for (std::uint64_t first = 0; first <= f.lines.size(); ++first) {
    for (std::uint64_t count = 0; first + count <= f.lines.size() + 2; ++count) {
      std::string expected;
      for (std::uint64_t i = first; i < first + count && i < f.lines.size(); ++i) {
        expected += f.lines[i] + "\r\n";
      }
      ASSERT_EQ(Written(f.list, first, count), expected) << first << " " << count;
    }
  }
}

TEST(ResultList, CancelInALaterRunStopsEverything) {
  ResultList list;
  ASSERT_TRUE(list.append(AddressRun(Tmpl("a", On(0, 3), Counter{}))));
  ASSERT_TRUE(list.append(AddressRun(Tmpl("b", On(0, 3000000), Counter{}))));
  int calls = 0;
  EXPECT_FALSE(list.writeAll([&](std::string_view) { return ++calls < 3; }));
  EXPECT_EQ(calls, 3);
}

TEST(ResultList, RefusesTotalsBeyond63Bits) {
  // 153092023 * 92737 * 649657 = 2^63 - 1, the largest total that fits.
  AddressTemplate largest = Tmpl("x", On(1, 153092023), On(1, 649657));
  largest.J = On(1, 92737);
  ResultList list;
  ASSERT_TRUE(list.append(AddressRun(Tmpl("y", On(0, 0), On(0, 0)))));
  EXPECT_FALSE(list.append(AddressRun(largest)));
  EXPECT_EQ(list.size(), 1u);
  list.clear();
  ASSERT_TRUE(list.append(AddressRun(largest)));
  EXPECT_EQ(list.size(), static_cast<std::uint64_t>(INT64_MAX));
  EXPECT_FALSE(list.append(AddressRun(Tmpl("y", On(0, 0), On(0, 0)))));
  EXPECT_TRUE(list.append(AddressRun(Tmpl("z", On(1, 0), On(0, 0)))));  // empty still fits
  EXPECT_EQ(list.size(), static_cast<std::uint64_t>(INT64_MAX));
  EXPECT_EQ(list.runs().size(), 1u);
  EXPECT_EQ(list.at(INT64_MAX - 1), "http://x/153092023" "92737~649657");
}

TEST(ResultList, HugeRunsCostNothingAndStayAddressable) {
  // Three counters over 0..999: a thousand million addresses held as one frozen template.
  AddressTemplate t = Tmpl("pics", On(0, 999), On(0, 999, FillStyle::ThreeDigit));
  t.J = On(0, 999, FillStyle::TwoDigit);
  ResultList list;
  ASSERT_TRUE(list.append(AddressRun(t)));
  ASSERT_TRUE(list.append(AddressRun(Tmpl("tail", Counter{}, Counter{}))));
  ASSERT_EQ(list.size(), 1000000001u);
  EXPECT_EQ(list.at(0), "http://pics/000~000");
  EXPECT_EQ(list.at(123456789), "http://pics/123456~789");
  EXPECT_EQ(list.at(999999999), "http://pics/999999~999");
  EXPECT_EQ(list.at(1000000000), "http://tail/00~");
  // Fixed "http://pics/~" and CR LF make 15 bytes a line; over 0..999 the plain texts take
  // 2890 characters, the two-digit 2900, the three-digit 3000; the tail line is 17 bytes.
  const std::uint64_t expected = 15 * std::uint64_t{1000000000} + (2890 + 2900 + 3000) * std::uint64_t{1000000} + 17;
  EXPECT_EQ(list.textBytes(), expected);
  EXPECT_EQ(Written(list, 999999999, 5), "http://pics/999999~999\r\nhttp://tail/00~\r\n");

  list.clear();
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(list.textBytes(), 0u);
  EXPECT_EQ(Written(list, 0, 10), "");
}

}  // namespace
}  // namespace serialix
