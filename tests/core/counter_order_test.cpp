#include "core/counter_order.h"

#include <gtest/gtest.h>

namespace serialix {
namespace {

struct OrderCase {
  const char* from;
  const char* to;
  bool toBelow;
};

TEST(CounterOrder, ComparesFromWithTheLeadingNumberOfTo) {
  const OrderCase cases[] = {
      {"15", "3", true},
      {"15", "15", false},
      {"15", "150", false},
      {"1", "15", false},
      {"050", "010", true},      // leading zeros do not change the value
      {"050", "50", false},
      {"", "0", false},          // empty from counts as 0
      {"", "", false},
      {"5", "", true},           // empty to reads as 0
      {"5", "abc", true},        // no leading number reads as 0
      {"5", "7abc", false},      // the number the to text begins with
      {"5", " 7", false},        // blanks before it are skipped
      {"5", "4.9", true},
      {"5", "5.1", false},
      {"0", "-1", true},
      {"-3", "-4", true},
      {"-3", "-2", false},
      // Digit strings of any length compare by value, without overflow.
      {"99999999999999999999", "99999999999999999998", true},
      {"99999999999999999999", "100000000000000000000", false},
      {"2147483648", "2147483647", true},
      {"0000000000000000000001", "0", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToTextBelowFromText(c.from, c.to), c.toBelow) << "from '" << c.from << "' to '" << c.to << "'";
  }
}

TEST(CounterOrder, FromTextThatIsNotAWholeNumberOrdersNothing) {
  for (const char* from : {"1a", "a", "-", "+", "1.5", " 1", "1 ", "１"}) {
    EXPECT_FALSE(ToTextBelowFromText(from, "0")) << from;
  }
}

}  // namespace
}  // namespace serialix
