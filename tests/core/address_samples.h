// Templates and checks shared by the tests of the address list and of the address run.
#pragma once

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/address_list.h"
#include "core/address_run.h"

namespace serialix {

using Lines = std::vector<std::string>;
inline constexpr FillStyle kPlain = FillStyle::Plain, kTwo = FillStyle::TwoDigit, kThree = FillStyle::ThreeDigit;

inline Lines Stream(const AddressTemplate& t, std::size_t limit = SIZE_MAX) {
  Lines out;
  BuildAddressList(t, [&](std::string_view a) {
    out.emplace_back(a);
    return out.size() < limit;
  });
  return out;
}

inline std::string Written(const AddressRun& run, std::uint64_t first, std::uint64_t count) {
  std::string out;
  EXPECT_TRUE(run.writeLines(first, count, [&](std::string_view chunk) { return out += chunk, true; }));
  return out;
}

inline std::string Joined(const Lines& lines, std::size_t first = 0, std::size_t count = SIZE_MAX) {
  std::string out;
  for (std::size_t i = first; i < lines.size() && i - first < count; ++i) out += lines[i] + "\r\n";
  return out;
}

inline Counter On(std::int32_t from, std::int32_t to, FillStyle style = kPlain) {
  return Counter{true, from, to, style};
}

// Every switch on, host "pics", letter "a", G 1..2 two-digit with the link, J two-digit, K "~", L 0..0.
inline AddressTemplate WorkedExample() {
  using namespace std::string_literals;
  AddressTemplate t;
  t.B = "pics"s, t.C = "/"s, t.D = "a"s, t.E = "/"s, t.H = "/"s, t.K = "~"s, t.M = "."s, t.N = "mpg"s;
  t.G = On(1, 2, kTwo), t.J = On(0, 0, kTwo), t.L = On(0, 0);
  t.counterLink = true;
  return t;
}

inline AddressTemplate OnlyCounters(Counter g, Counter l = {}) {
  AddressTemplate t;
  t.G = g, t.L = l;
  return t;
}

// Streaming, random access, the sequential writer started anywhere and the byte count must agree.
inline void ExpectSameSequences(const AddressTemplate& t) {
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

}  // namespace serialix
