#include "core/address_list.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "core/address_run.h"

namespace serialix {
namespace {

using namespace std::string_literals;

std::vector<std::string> Stream(const AddressTemplate& t, std::size_t limit = SIZE_MAX) {
  std::vector<std::string> out;
  BuildAddressList(t, [&](std::string_view a) {
    out.emplace_back(a);
    return out.size() < limit;
  });
  return out;
}

std::string Written(const AddressRun& run, std::uint64_t first, std::uint64_t count) {
  std::string out;
  EXPECT_TRUE(run.writeLines(first, count, [&](std::string_view chunk) {
    out += chunk;
    return true;
  }));
  return out;
}

std::string Joined(const std::vector<std::string>& lines, std::size_t first, std::size_t count) {
  std::string out;
  for (std::size_t i = first; i < first + count && i < lines.size(); ++i) {
    out += lines[i];
    out += "\r\n";
  }
  return out;
}

Counter On(std::int32_t from, std::int32_t to, FillStyle style = FillStyle::Plain) {
  return Counter{true, from, to, style};
}

// Every switch on, the host "pics", the letter "a", K "~", N "mpg".
AddressTemplate WorkedExample() {
  AddressTemplate t;
  t.B = "pics";
  t.C = "/";
  t.D = "a";
  t.E = "/";
  t.H = "/";
  t.K = "~";
  t.M = ".";
  t.N = "mpg";
  t.G = On(1, 2, FillStyle::TwoDigit);
  t.J = Counter{true, 0, 0, FillStyle::TwoDigit};
  t.L = On(0, 0);
  t.counterLink = true;
  return t;
}

TEST(BuildAddressList, WorkedExample) {
  AddressTemplate t = WorkedExample();
  EXPECT_EQ(Stream(t), (std::vector<std::string>{"http://pics/a/01/01~0.mpg", "http://pics/a/02/02~0.mpg"}));

  t.counterLink = false;
  t.J = On(5, 6);
  EXPECT_EQ(Stream(t), (std::vector<std::string>{"http://pics/a/01/5~0.mpg", "http://pics/a/01/6~0.mpg",
                                                 "http://pics/a/02/5~0.mpg", "http://pics/a/02/6~0.mpg"}));
}

TEST(BuildAddressList, EdgeCases) {
  struct Row {
    const char* name;
    AddressTemplate t;
    std::vector<std::string> expected;
  };
  auto with = [](auto change) {
    AddressTemplate t = WorkedExample();
    change(t);
    return t;
  };
  const Row rows[] = {
      {"all counters and switches off: one address", with([](AddressTemplate& t) {
         t = AddressTemplate{};
         t.B = "host";
       }),
       {"http://host"}},
      {"empty host", with([](AddressTemplate& t) { t.B.clear(); }), {"http:///a/01/01~0.mpg", "http:///a/02/02~0.mpg"}},
      {"blanks kept", with([](AddressTemplate& t) {
         t.B = " h ";
         t.G = Counter{};
         t.J = Counter{};
       }),
       {"http:// h /a//~0.mpg"}},
      {"G 3..1: nothing", with([](AddressTemplate& t) { t.G = On(3, 1); }), {}},
      {"G 8..11 three-digit", with([](AddressTemplate& t) {
         t = AddressTemplate{};
         t.G = On(8, 11, FillStyle::ThreeDigit);
       }),
       {"http://008", "http://009", "http://010", "http://011"}},
      {"G 8..11 two-digit", with([](AddressTemplate& t) {
         t = AddressTemplate{};
         t.G = On(8, 11, FillStyle::TwoDigit);
       }),
       {"http://08", "http://09", "http://10", "http://11"}},
      {"G 998..1001 three-digit", with([](AddressTemplate& t) {
         t = AddressTemplate{};
         t.G = On(998, 1001, FillStyle::ThreeDigit);
       }),
       {"http://998", "http://999", "http://1000", "http://1001"}},
      {"linked J disabled is empty", with([](AddressTemplate& t) { t.J.enabled = false; }),
       {"http://pics/a/01/~0.mpg", "http://pics/a/02/~0.mpg"}},
      {"linked J keeps its own style", with([](AddressTemplate& t) { t.J.style = FillStyle::ThreeDigit; }),
       {"http://pics/a/01/001~0.mpg", "http://pics/a/02/002~0.mpg"}},
      {"linked J with G disabled shows 0 in J's style", with([](AddressTemplate& t) { t.G.enabled = false; }),
       {"http://pics/a//00~0.mpg"}},
      {"linked J range has no influence", with([](AddressTemplate& t) { t.J = Counter{true, 7, 3, FillStyle::TwoDigit}; }),
       {"http://pics/a/01/01~0.mpg", "http://pics/a/02/02~0.mpg"}},
      {"disabled counter holding a range shows nothing once", with([](AddressTemplate& t) {
         t = AddressTemplate{};
         t.L = Counter{false, 4, 9, FillStyle::Plain};
       }),
       {"http://"}},
      {"negative range", with([](AddressTemplate& t) {
         t = AddressTemplate{};
         t.L = On(-2, 1, FillStyle::TwoDigit);
       }),
       {"http://-02", "http://-01", "http://00", "http://01"}},
      {"to INT32_MAX includes it and stops", with([](AddressTemplate& t) {
         t = AddressTemplate{};
         t.G = On(INT32_MAX - 1, INT32_MAX);
         t.L = On(INT32_MAX, INT32_MAX);
       }),
       {"http://21474836462147483647", "http://21474836472147483647"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Stream(row.t), row.expected);
    const AddressRun run(row.t);
    ASSERT_EQ(run.size(), row.expected.size());
    for (std::size_t i = 0; i < row.expected.size(); ++i) {
      EXPECT_EQ(run.at(i), row.expected[i]);
    }
    EXPECT_EQ(Written(run, 0, run.size()), Joined(row.expected, 0, row.expected.size()));
  }
}

TEST(BuildAddressList, ConsumerStopsEarly) {
  AddressTemplate t;
  t.G = On(0, INT32_MAX);
  EXPECT_EQ(Stream(t, 3), (std::vector<std::string>{"http://0", "http://1", "http://2"}));
}

// The streaming enumeration, random access and the sequential writer started anywhere must agree.
void ExpectSameSequences(const AddressTemplate& t) {
  const auto lines = Stream(t);
  const AddressRun run(t);
  ASSERT_EQ(run.size(), lines.size());
  ASSERT_EQ(run.textBytes(), Joined(lines, 0, lines.size()).size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    ASSERT_EQ(run.at(i), lines[i]) << "position " << i;
  }
  const std::size_t n = lines.size();
  const std::size_t starts[] = {0, 1, n / 3, n / 2, n > 0 ? n - 1 : 0};
  for (const std::size_t first : starts) {
    for (const std::size_t count : {std::size_t{1}, std::size_t{7}, n}) {
      ASSERT_EQ(Written(run, first, count), Joined(lines, first, count)) << "first " << first << " count " << count;
    }
  }
}

TEST(AddressRun, MatchesStreamingForEverySwitchCombination) {
  // Bit i switches segment C..N (12 switches); counter ranges cross 9/10 and 99/100.
  for (unsigned mask = 0; mask < (1u << 12); ++mask) {
    for (const bool link : {false, true}) {
      auto on = [mask](int bit) { return (mask >> bit & 1u) != 0; };
      AddressTemplate t;
      t.B = "h";
      t.C = on(0) ? "/"s : ""s;
      t.D = on(1) ? "d"s : ""s;
      t.E = on(2) ? "/"s : ""s;
      t.F = on(3) ? "ff"s : ""s;
      t.G = Counter{on(4), 8, 11, FillStyle::TwoDigit};
      t.H = on(5) ? "/"s : ""s;
      t.I = on(6) ? "i"s : ""s;
      t.J = Counter{on(7), 98, 100, FillStyle::Plain};
      t.K = on(8) ? "~"s : ""s;
      t.L = Counter{on(9), 9, 10, FillStyle::ThreeDigit};
      t.M = on(10) ? "."s : ""s;
      t.N = on(11) ? "mpg"s : ""s;
      t.counterLink = link;
      SCOPED_TRACE(testing::Message() << "mask " << mask << " link " << link);
      ExpectSameSequences(t);
      if (HasFatalFailure()) {
        return;
      }
    }
  }
}

TEST(AddressRun, MatchesStreamingOverRangesAndStyles) {
  const Counter ranges[] = {
      On(0, 0),       On(0, 11),      On(95, 101),         On(997, 1002),       On(3, 1),
      On(-12, 3),     On(-1001, -998), On(INT32_MAX - 2, INT32_MAX), On(INT32_MIN, INT32_MIN + 2),
      Counter{false, 5, 9, FillStyle::Plain},
  };
  const FillStyle styles[] = {FillStyle::Plain, FillStyle::TwoDigit, FillStyle::ThreeDigit};
  std::size_t checked = 0;
  for (const Counter& g : ranges) {
    for (const Counter& l : ranges) {
      for (const bool link : {false, true}) {
        for (std::size_t s = 0; s < 3; ++s) {
          AddressTemplate t;
          t.B = "x"s;
          t.K = "~"s;
          t.G = g;
          t.G.style = styles[s];
          t.J = On(99, 100, styles[(s + 1) % 3]);
          t.L = l;
          t.L.style = styles[(s + 2) % 3];
          t.counterLink = link;
          SCOPED_TRACE(testing::Message() << "G " << g.from << ".." << g.to << " L " << l.from << ".." << l.to
                                          << " link " << link << " style " << s);
          ExpectSameSequences(t);
          if (HasFatalFailure()) {
            return;
          }
          ++checked;
        }
      }
    }
  }
  EXPECT_EQ(checked, std::size(ranges) * std::size(ranges) * 2 * 3);
}

TEST(AddressRun, LongRunsAcrossDigitGrowthAndChunks) {
  // L 0..999999 plain crosses every width up to 6 and fills many chunks.
  AddressTemplate t = WorkedExample();
  t.L = On(0, 999999);
  const AddressRun run(t);
  ASSERT_EQ(run.size(), 2000000u);
  std::string all;
  std::size_t chunks = 0;
  ASSERT_TRUE(run.writeLines(0, run.size(), [&](std::string_view chunk) {
    EXPECT_LE(chunk.size(), (std::size_t{1} << 20) + 200);
    all += chunk;
    ++chunks;
    return true;
  }));
  EXPECT_GT(chunks, 10u);
  EXPECT_EQ(all.size(), run.textBytes());
  std::string expected;
  BuildAddressList(t, [&](std::string_view a) {
    expected += a;
    expected += "\r\n";
    return true;
  });
  EXPECT_EQ(all, expected);
}

TEST(AddressRun, CancelStopsAndReportsIt) {
  AddressTemplate t;
  t.G = On(0, 10000000);
  const AddressRun run(t);
  int calls = 0;
  EXPECT_FALSE(run.writeLines(0, run.size(), [&](std::string_view) { return ++calls < 2; }));
  EXPECT_EQ(calls, 2);
}

TEST(AddressRun, HugeRangesWithoutOverflow) {
  AddressTemplate t;
  t.G = On(INT32_MIN, INT32_MAX, FillStyle::TwoDigit);
  t.L = On(0, 999, FillStyle::ThreeDigit);
  t.H = "/";
  const AddressRun run(t);
  ASSERT_EQ(run.size(), (std::uint64_t{1} << 32) * 1000);
  EXPECT_EQ(run.at(0), "http://-2147483648/000");
  EXPECT_EQ(run.at(run.size() - 1), "http://2147483647/999");
  EXPECT_EQ(run.at((std::uint64_t{1} << 31) * 1000 + 5), "http://00/005");
  EXPECT_EQ(Written(run, run.size() - 2, 5), "http://2147483647/998\r\nhttp://2147483647/999\r\n");
  EXPECT_EQ(Written(run, run.size(), 5), "");
}

TEST(AddressRun, TextsMappedOnceDigitsUntouched) {
  AddressTemplate t = WorkedExample();
  t.B = "ab";
  const AddressRun mapped = AddressRun(t).withTextsMapped([](const std::string& s) {
    std::string upper = s;
    for (char& c : upper) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
  });
  EXPECT_EQ(mapped.size(), 2u);
  EXPECT_EQ(mapped.at(1), "HTTP://AB/A/02/02~0.MPG");
  EXPECT_EQ(Written(mapped, 0, 2), "HTTP://AB/A/01/01~0.MPG\r\nHTTP://AB/A/02/02~0.MPG\r\n");
  EXPECT_EQ(mapped.textBytes(), 50u);
}

}  // namespace
}  // namespace serialix
