#include "core/counter_order.h"

#include <gtest/gtest.h>

namespace serialix {
namespace {

TEST(CounterOrder, ComparesFromWithTheLeadingNumberOfTo) {
  const struct {
    const char *from, *to;
    bool toBelow;
  } cases[] = {
      {"15", "3", true},
      {"15", "15", false},
      {"15", "150", false},
      {"1", "15", false},
      {"050", "010", true},
      {"050", "50", false},  // leading zeros do not change the value
      {"", "0", false},
      {"", "", false},  // empty from counts as 0
      {"5", "", true},
      {"5", "abc", true},  // no leading number in to reads as 0
      {"5", "7abc", false},
      {"5", " 7", false},  // the number to begins with, after blanks
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
      // A from text that is not a whole number orders nothing.
      {"1a", "0", false},
      {"a", "0", false},
      {"-", "0", false},
      {"+", "0", false},
      {"1.5", "0", false},
      {" 1", "0", false},
      {"1 ", "0", false},
      {"１", "0", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToTextBelowFromText(c.from, c.to), c.toBelow) << "from '" << c.from << "' to '" << c.to << "'";
  }
}

}  // namespace
}  // namespace serialix
