#include "core/result_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "core/address_list.h"
#include "core/list_text_reader.h"

namespace serialix {
namespace {

using namespace std::string_literals;

Counter On(std::int32_t from, std::int32_t to, FillStyle style = FillStyle::Plain) {
  return {true, from, to, style};
}

// "http://" host "/" G J "~" L, J two-digit 0..0 unless given.
AddressTemplate Tmpl(std::string host, Counter g, Counter l, bool link = false,
                     Counter j = On(0, 0, FillStyle::TwoDigit)) {
  AddressTemplate t;
  t.B = std::move(host), t.C = "/"s, t.K = "~"s, t.G = g, t.J = j, t.L = l, t.counterLink = link;
  return t;
}

std::string Written(const ResultList& list, std::uint64_t first, std::uint64_t count) {
  std::string out;
  EXPECT_TRUE(list.writeLines(first, count, [&](std::string_view chunk) { return out += chunk, true; }));
  return out;
}

TEST(ResultList, PositionsAndLinesAcrossRuns) {
  ResultList list;
  std::vector<std::string> lines;
  for (const AddressTemplate& t : {Tmpl("a", On(8, 12, FillStyle::TwoDigit), On(0, 2), true),  // 15
                                   Tmpl("b", On(3, 1), On(0, 9)),                              // empty
                                   Tmpl("c", Counter{}, On(-3, 3, FillStyle::ThreeDigit)),     // 7
                                   Tmpl("d", On(99, 101), On(998, 1000))}) {                   // 9
    ASSERT_TRUE(list.append(AddressRun(t)));
    BuildAddressList(t, [&](std::string_view a) { return lines.emplace_back(a), true; });
  }
  ASSERT_EQ(list.size(), 31u);
  ASSERT_EQ(lines.size(), 31u);
  EXPECT_EQ(list.runs().size(), 3u);  // the empty run is not kept
  std::string all;
  std::vector<std::size_t> offset{0};  // where each line starts in `all`
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(list.at(i), lines[i]) << i;
    all += lines[i] + "\r\n";
    offset.push_back(all.size());
  }
  EXPECT_EQ(list.textBytes(), all.size());
  // Every window, starting and ending inside runs, on their boundaries and past the end.
  for (std::size_t first = 0; first <= lines.size(); ++first) {
    for (std::size_t count = 0; first + count <= lines.size() + 2; ++count) {
      const std::size_t end = offset[std::min(first + count, lines.size())];
      ASSERT_EQ(Written(list, first, count), all.substr(offset[first], end - offset[first])) << first << " " << count;
    }
  }
  // LF instead of CR LF: the same stream without its CRs, batched and carried digits included.
  ASSERT_TRUE(list.append(AddressRun(Tmpl("f", On(-2, 12000), On(0, 0)))));
  std::string crlf, lf;
  ASSERT_TRUE(list.writeAll([&](std::string_view chunk) { return crlf += chunk, true; }));
  ASSERT_TRUE(list.writeAll([&](std::string_view chunk) { return lf += chunk, true; }, LineEnd::Lf));
  // Made in place: the same bytes, and nothing written beyond the slack.
  for (const auto& [lineEnd, expected] : {std::pair{LineEnd::CrLf, crlf}, std::pair{LineEnd::Lf, lf}}) {
    std::string made(list.textBytes(lineEnd) + kOdometerSlack + 1, '#');
    EXPECT_EQ(std::string(made.data(), list.writeAllTo(made.data(), lineEnd)), expected);
    EXPECT_EQ(made.back(), '#');
  }
  std::erase(crlf, '\r');
  EXPECT_EQ(lf, crlf);
  EXPECT_EQ(list.textBytes(LineEnd::Lf), lf.size());
  int calls = 0;
  ASSERT_TRUE(list.append(AddressRun(Tmpl("e", On(0, 3000000), Counter{}))));
  EXPECT_FALSE(list.writeAll([&](std::string_view) { return ++calls < 3; }));  // cancel reaches the caller
  EXPECT_EQ(calls, 3);
}

TEST(ResultList, RefusesTotalsBeyond63Bits) {
  // 153092023 * 92737 * 649657 = 2^63 - 1, the largest total that fits.
  const AddressTemplate largest = Tmpl("x", On(1, 153092023), On(1, 649657), false, On(1, 92737));
  const AddressTemplate one = Tmpl("y", On(0, 0), On(0, 0));
  ResultList list;
  ASSERT_TRUE(list.append(AddressRun(one)));
  EXPECT_TRUE(list.canAppend(INT64_MAX - 1));
  EXPECT_FALSE(list.canAppend(INT64_MAX));
  EXPECT_FALSE(list.append(AddressRun(largest)));
  EXPECT_EQ(list.size(), 1u);
  list.clear();
  ASSERT_TRUE(list.append(AddressRun(largest)));
  EXPECT_TRUE(list.canAppend(0));
  EXPECT_FALSE(list.canAppend(1));
  EXPECT_FALSE(list.append(AddressRun(one)));
  EXPECT_TRUE(list.append(AddressRun(Tmpl("z", On(1, 0), On(0, 0)))));  // an empty run still fits
  EXPECT_EQ(list.size(), static_cast<std::uint64_t>(INT64_MAX));
  EXPECT_EQ(list.at(INT64_MAX - 1), "http://x/15309202392737~649657");
}

TEST(ResultList, ThousandMillionAddressesStayAddressable) {
  ResultList list;
  ASSERT_TRUE(list.append(
      AddressRun(Tmpl("pics", On(0, 999), On(0, 999, FillStyle::ThreeDigit), false, On(0, 999, FillStyle::TwoDigit)))));
  ASSERT_TRUE(list.append(AddressRun(Tmpl("tail", Counter{}, Counter{}))));
  ASSERT_EQ(list.size(), 1000000001u);
  EXPECT_EQ(list.at(0), "http://pics/000~000");
  EXPECT_EQ(list.at(123456789), "http://pics/123456~789");
  EXPECT_EQ(Written(list, 999999999, 5), "http://pics/999999~999\r\nhttp://tail/00~\r\n");
  // "http://pics/~" and CR LF make 15 bytes a line; over 0..999 the plain texts take 2890
  // characters, the two-digit 2900, the three-digit 3000; the tail line is 17 bytes.
  EXPECT_EQ(list.textBytes(), 15 * std::uint64_t{1000000000} + (2890 + 2900 + 3000) * std::uint64_t{1000000} + 17);
  list.clear();
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(list.textBytes(), 0u);
  EXPECT_EQ(Written(list, 0, 10), "");
}

// Whatever the piece size, the pieces are whole lines and together the whole text.
TEST(ListTextReader, PiecesAreWholeLinesAndMakeTheText) {
  auto list = std::make_shared<ResultList>();
  list->append(AddressRun(Tmpl("a", On(8, 12, FillStyle::TwoDigit), On(0, 2), true)));
  list->append(AddressRun(Tmpl(std::string(300, 'h'), Counter{}, On(-3, 3, FillStyle::ThreeDigit))));
  list->append(AddressRun(Tmpl("c", On(1, 1), On(7, 7))));
  list->append(AddressRun(Tmpl("d", On(0, 99), On(0, 120))));
  for (LineEnd lineEnd : {LineEnd::CrLf, LineEnd::Lf}) {
    const std::string end = lineEnd == LineEnd::CrLf ? "\r\n" : "\n";
    std::string whole;
    list->writeAll([&](std::string_view chunk) { return whole += chunk, true; }, lineEnd);
    for (std::size_t bytes : {0, 1, 20, 333, 4096, 1 << 30}) {
      ListTextReader reader(list, lineEnd);
      std::string joined, piece;
      while (reader.read(bytes, piece)) {
        ASSERT_FALSE(piece.empty());
        ASSERT_TRUE(piece.ends_with(end)) << bytes;
        // Longer than asked only by one line's worth of digits, or by the one line it must hold.
        const bool oneLine = piece.find(end) + end.size() == piece.size();
        ASSERT_TRUE(oneLine || piece.size() <= bytes + 320) << bytes << " " << piece.size();
        joined += piece;
        piece.clear();
      }
      EXPECT_EQ(joined, whole) << bytes;
      EXPECT_FALSE(reader.read(bytes, piece));
      EXPECT_TRUE(piece.empty());
    }
  }
}

}  // namespace
}  // namespace serialix
