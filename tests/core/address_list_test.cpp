#include "core/address_list.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "core/address_run.h"
#include "support/sanitizer.h"

namespace serialix {
namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;
constexpr FillStyle kPlain = FillStyle::Plain, kTwo = FillStyle::TwoDigit, kThree = FillStyle::ThreeDigit;

Lines Stream(const AddressTemplate& t, std::size_t limit = SIZE_MAX) {
  Lines out;
  BuildAddressList(t, [&](std::string_view a) {
    out.emplace_back(a);
    return out.size() < limit;
  });
  return out;
}

std::string Written(const AddressRun& run, std::uint64_t first, std::uint64_t count) {
  std::string out;
  EXPECT_TRUE(run.writeLines(first, count, [&](std::string_view chunk) { return out += chunk, true; }));
  return out;
}

std::string Joined(const Lines& lines, std::size_t first = 0, std::size_t count = SIZE_MAX) {
  std::string out;
  for (std::size_t i = first; i < lines.size() && i - first < count; ++i) out += lines[i] + "\r\n";
  return out;
}

Counter On(std::int32_t from, std::int32_t to, FillStyle style = kPlain) {
  return Counter{true, from, to, style};
}

// Every switch on, host "pics", letter "a", G 1..2 two-digit with the link, J two-digit, K "~", L 0..0.
AddressTemplate WorkedExample() {
  AddressTemplate t;
  t.B = "pics"s, t.C = "/"s, t.D = "a"s, t.E = "/"s, t.H = "/"s, t.K = "~"s, t.M = "."s, t.N = "mpg"s;
  t.G = On(1, 2, kTwo), t.J = On(0, 0, kTwo), t.L = On(0, 0);
  t.counterLink = true;
  return t;
}

AddressTemplate OnlyCounters(Counter g, Counter l = {}) {
  AddressTemplate t;
  t.G = g, t.L = l;
  return t;
}

// Streaming, random access, the sequential writer started anywhere and the byte count must agree.
void ExpectSameSequences(const AddressTemplate& t) {
  const Lines lines = Stream(t);
  const AddressRun run(t);
  ASSERT_EQ(run.size(), lines.size());
  ASSERT_EQ(run.textBytes(), Joined(lines).size());
  for (std::size_t i = 0; i < lines.size(); ++i) ASSERT_EQ(run.at(i), lines[i]) << "position " << i;
  const std::size_t n = lines.size();
  for (const std::size_t first : {std::size_t{0}, std::size_t{1}, n / 3, n / 2, n > 0 ? n - 1 : 0}) {
    for (const std::size_t count : {std::size_t{1}, std::size_t{7}, n}) {
      ASSERT_EQ(Written(run, first, count), Joined(lines, first, count)) << "from " << first << " count " << count;
    }
  }
}

TEST(BuildAddressList, WorkedExampleAndEdgeCases) {
  auto example = [](auto change) {
    AddressTemplate t = WorkedExample();
    change(t);
    return t;
  };
  const struct {
    const char* name;
    AddressTemplate t;
    Lines expected;
  } rows[] = {
      {"worked example", WorkedExample(), {"http://pics/a/01/01~0.mpg", "http://pics/a/02/02~0.mpg"}},
      {"link off, J 5..6",
       example([](AddressTemplate& t) { t.counterLink = false, t.J = On(5, 6); }),
       {"http://pics/a/01/5~0.mpg", "http://pics/a/01/6~0.mpg", "http://pics/a/02/5~0.mpg",
        "http://pics/a/02/6~0.mpg"}},
      {"all off: one address",
       example([](AddressTemplate& t) { t = AddressTemplate{}, t.B = " h "s; }),
       {"http:// h "}},
      {"empty host", example([](AddressTemplate& t) { t.B.clear(), t.G = On(1, 1); }), {"http:///a/1/01~0.mpg"}},
      {"G 3..1: nothing", example([](AddressTemplate& t) { t.G = On(3, 1); }), {}},
      {"linked J disabled",
       example([](AddressTemplate& t) { t.J.enabled = false; }),
       {"http://pics/a/01/~0.mpg", "http://pics/a/02/~0.mpg"}},
      {"linked J own style, own range ignored",
       example([](AddressTemplate& t) { t.J = On(7, 3, kThree); }),
       {"http://pics/a/01/001~0.mpg", "http://pics/a/02/002~0.mpg"}},
      {"linked J, G disabled", example([](AddressTemplate& t) { t.G.enabled = false; }), {"http://pics/a//00~0.mpg"}},
      {"G 8..11 three-digit",
       OnlyCounters(On(8, 11, kThree)),
       {"http://008", "http://009", "http://010", "http://011"}},
      {"G 8..11 two-digit", OnlyCounters(On(8, 11, kTwo)), {"http://08", "http://09", "http://10", "http://11"}},
      {"G 998..1001", OnlyCounters(On(998, 1001, kThree)), {"http://998", "http://999", "http://1000", "http://1001"}},
      {"disabled holding a range", OnlyCounters(Counter{false, 4, 9, kPlain}), {"http://"}},
      {"negative", OnlyCounters(On(-2, 1, kTwo)), {"http://-02", "http://-01", "http://00", "http://01"}},
      {"to INT32_MAX stops",
       OnlyCounters(On(INT32_MAX - 1, INT32_MAX), On(INT32_MAX, INT32_MAX)),
       {"http://21474836462147483647", "http://21474836472147483647"}},
      // 2^32 G values over an empty L: must end at once, not walk G.
      {"empty inner range under a huge G", OnlyCounters(On(INT32_MIN, INT32_MAX), On(1, 0)), {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Stream(row.t), row.expected);
    ExpectSameSequences(row.t);
  }
  EXPECT_EQ(Stream(OnlyCounters(On(0, INT32_MAX)), 2), (Lines{"http://0", "http://1"}));  // consumer stops
}

// Every combination of segment switches and the link, and every pair of the ranges below under
// three style rotations, each met at least once. Under a sanitizer every seventh mask is taken:
// 7 is prime to the 300-step cycle of ranges and styles, so every range pair and style still meets.
TEST(AddressRun, MatchesStreamingOverSwitchesRangesAndStyles) {
  const unsigned step = kSanitizedBuild ? 7 : 1;
  const Counter ranges[] = {On(0, 0),
                            On(0, 11),
                            On(95, 101),
                            On(997, 1002),
                            On(3, 1),
                            On(-12, 3),
                            On(-1001, -998),
                            On(INT32_MAX - 2, INT32_MAX),
                            On(INT32_MIN, INT32_MIN + 2),
                            Counter{false, 5, 9, kPlain}};
  const FillStyle styles[] = {kPlain, kTwo, kThree};
  for (unsigned i = 0; i < (1u << 13); i += step) {
    const unsigned mask = i, v = i % 3;  // mask bits 0..11 switch segments C..N, bit 12 the link
    const Counter &g = ranges[i / 3 % 10], &l = ranges[i / 30 % 10];
    auto on = [mask](int bit) { return (mask >> bit & 1u) != 0; };
    auto text = [&](int bit, const char* s) { return on(bit) ? std::string(s) : ""s; };
    AddressTemplate t;
    t.B = "h"s, t.C = text(0, "/"), t.D = text(1, "d"), t.E = text(2, "/"), t.F = text(3, "ff"), t.H = text(5, "/");
    t.I = text(6, "i"), t.K = text(8, "~"), t.M = text(10, "."), t.N = text(11, "mpg"), t.counterLink = on(12);
    t.G = Counter{on(4), g.from, g.to, styles[v]}, t.J = Counter{on(7), 98, 100, styles[(v + 1) % 3]};
    t.L = Counter{on(9), l.from, l.to, styles[(v + 2) % 3]};
    SCOPED_TRACE(testing::Message() << "mask " << mask << " G " << g.from << ".." << g.to << " L " << l.from << ".."
                                    << l.to << " style " << v);
    ExpectSameSequences(t);
    if (HasFatalFailure()) return;
  }
}

TEST(AddressRun, LongRunAcrossDigitGrowthAndManyChunks) {
  AddressTemplate t = WorkedExample();
  t.L = On(0, 999999);  // every width up to 6, twice
  const AddressRun run(t);
  std::string all;
  std::size_t chunks = 0;
  ASSERT_TRUE(run.writeLines(0, run.size(), [&](std::string_view chunk) { return all += chunk, ++chunks, true; }));
  EXPECT_GT(chunks, 10u);
  EXPECT_EQ(all.size(), run.textBytes());
  EXPECT_EQ(all, Joined(Stream(t)));
}

TEST(AddressRun, HugeRangesWithoutOverflow) {
  AddressTemplate t = OnlyCounters(On(INT32_MIN, INT32_MAX, kTwo), On(0, 999, kThree));
  t.H = "/"s;
  const AddressRun run(t);
  ASSERT_EQ(run.size(), (std::uint64_t{1} << 32) * 1000);
  EXPECT_EQ(run.at(0), "http://-2147483648/000");
  EXPECT_EQ(run.at((std::uint64_t{1} << 31) * 1000 + 5), "http://00/005");
  EXPECT_EQ(Written(run, run.size() - 2, 5), "http://2147483647/998\r\nhttp://2147483647/999\r\n");
  EXPECT_EQ(Written(run, run.size(), 5), "");
}

TEST(AddressRun, TextsMappedOnceDigitsUntouched) {
  const AddressRun mapped =
      AddressRun(WorkedExample()).withTextsMapped([](const std::string& s) { return "<" + s + ">"; });
  EXPECT_EQ(mapped.at(1), "<http://><pics></><a></><>02</><>02<~>0<.><mpg>");
  EXPECT_EQ(Written(mapped, 1, 1), mapped.at(1) + "\r\n");
  EXPECT_EQ(mapped.textBytes(), 2 * (mapped.at(1).size() + 2));
}

}  // namespace
}  // namespace serialix
