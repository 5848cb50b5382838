#include "core/fill_style.h"

#include <gtest/gtest.h>

#include <climits>

#include "core/history.h"

namespace serialix {
namespace {

struct StyleRow {
  std::int32_t value;
  const char* text;  // input of ConvertCounterText
  const char *plain, *twoDigit, *threeDigit;
};

TEST(FormatCounterValue, PadsByStyleAndNeverCuts) {
  const StyleRow rows[] = {
      {0, "", "0", "00", "000"},         {7, "", "7", "07", "007"},         {42, "", "42", "42", "042"},
      {99, "", "99", "99", "099"},       {123, "", "123", "123", "123"},    {1234, "", "1234", "1234", "1234"},
      {INT32_MAX, "", "2147483647", "2147483647", "2147483647"},
      // Negative: the sign first, then the digits padded as for the absolute value.
      {-5, "", "-5", "-05", "-005"},     {-42, "", "-42", "-42", "-042"},
      {INT32_MIN, "", "-2147483648", "-2147483648", "-2147483648"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.value);
    EXPECT_EQ(FormatCounterValue(row.value, FillStyle::Plain), row.plain);
    EXPECT_EQ(FormatCounterValue(row.value, FillStyle::TwoDigit), row.twoDigit);
    EXPECT_EQ(FormatCounterValue(row.value, FillStyle::ThreeDigit), row.threeDigit);
  }
}

TEST(ConvertCounterText, RewritesByLengthWithoutParsing) {
  const StyleRow rows[] = {
      {0, "7", "7", "07", "007"},       {0, "07", "7", "07", "007"},       {0, "007", "7", "07", "007"},
      {0, "010", "10", "10", "010"},    {0, "12", "12", "12", "012"},      {0, "100", "100", "100", "100"},
      {0, "1000", "1000", "1000", "1000"}, {0, "", "", "", ""},            {0, "000", "0", "00", "000"},
      {0, "0012", "0012", "0012", "0012"},  // four characters are never touched
      {0, "0a", "a", "0a", "00a"},      {0, "-5", "-5", "-5", "0-5"},     // characters only, no parsing
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(ConvertCounterText(row.text, FillStyle::Plain), row.plain);
    EXPECT_EQ(ConvertCounterText(row.text, FillStyle::TwoDigit), row.twoDigit);
    EXPECT_EQ(ConvertCounterText(row.text, FillStyle::ThreeDigit), row.threeDigit);
  }
}

TEST(CounterValueList, EntriesPerStyle) {
  const struct {
    FillStyle style;
    std::size_t count;
    const char *tenth, *last;
  } rows[] = {{FillStyle::Plain, 1000, "9", "999"}, {FillStyle::TwoDigit, 100, "09", "99"},
              {FillStyle::ThreeDigit, 1000, "009", "999"}};
  for (const auto& row : rows) {
    const auto list = CounterValueList(row.style);
    ASSERT_EQ(list.size(), row.count);
    EXPECT_EQ(list.front(), ZeroText(row.style));
    EXPECT_EQ(list[9], row.tenth);
    EXPECT_EQ(list.back(), row.last);
  }
}

TEST(RememberInHistory, AppendsOnlyNewNonEmptyTextsExactly) {
  std::vector<std::string> history{"pics", "a", "pics"};
  EXPECT_TRUE(RememberInHistory(history, "Pics"));  // case matters
  EXPECT_FALSE(RememberInHistory(history, "Pics"));
  EXPECT_FALSE(RememberInHistory(history, ""));
  EXPECT_TRUE(RememberInHistory(history, " pics"));  // no trimming
  EXPECT_FALSE(RememberInHistory(history, "a"));     // not only the first entry is compared
  EXPECT_TRUE(RememberInHistory(history, "pic"));    // whole string, not a prefix
  EXPECT_EQ(history, (std::vector<std::string>{"pics", "a", "pics", "Pics", " pics", "pic"}));
}

}  // namespace
}  // namespace serialix
