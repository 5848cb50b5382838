#include "core/address_list.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "address_samples.h"

namespace serialix {
namespace {

using namespace std::string_literals;

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

}  // namespace
}  // namespace serialix
