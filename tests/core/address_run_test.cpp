#include "core/address_run.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "address_samples.h"
#include "support/sanitizer.h"

namespace serialix {
namespace {

using namespace std::string_literals;

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

// Blocks of a thousand lines (a hundred for longer ones) copied while only the last digits differ:
// started and stopped inside one, carries into several digits, digit growth, a sign change, an
// inner counter too short for a block, a line too long for one; streamed and made in place.
TEST(AddressRun, LineBlocksAgreeWithTheEnumeration) {
  AddressTemplate midLine = OnlyCounters(On(0, 0), On(0, 2500)), longLine = midLine;
  midLine.F = std::string(100, 'f'), longLine.F = std::string(700, 'f');
  const AddressTemplate cases[] = {OnlyCounters(On(1, 1), On(95, 12345)),
                                   OnlyCounters(On(1, 2), On(0, 21500, kThree)),
                                   OnlyCounters(On(0, 0), On(9890, 10210)),
                                   OnlyCounters(On(0, 0), On(-250, 1200, kTwo)),
                                   OnlyCounters(On(1, 40), On(0, 250, kThree)),
                                   midLine,
                                   longLine};
  for (const AddressTemplate& t : cases) {
    SCOPED_TRACE(testing::Message() << "L " << t.L.from << ".." << t.L.to << ", F " << t.F.size());
    ExpectSameSequences(t);
    const AddressRun run(t);
    std::string made(run.textBytes() + kOdometerSlack, '\0');
    made.resize(static_cast<std::size_t>(run.writeLinesTo(run.size() / 3, run.size(), made.data()) - made.data()));
    EXPECT_EQ(made, Written(run, run.size() / 3, run.size()));
  }
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
