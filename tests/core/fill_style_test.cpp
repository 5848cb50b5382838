#include "core/fill_style.h"

#include <gtest/gtest.h>

#include <climits>

#include "core/history.h"

namespace serialix {
namespace {

struct FormatRow {
  std::int32_t value;
  const char* plain;
  const char* twoDigit;
  const char* threeDigit;
};

TEST(FormatCounterValue, PadsByStyleAndNeverCuts) {
  const FormatRow rows[] = {
      {0, "0", "00", "000"},
      {7, "7", "07", "007"},
      {42, "42", "42", "042"},
      {99, "99", "99", "099"},
      {123, "123", "123", "123"},
      {1000, "1000", "1000", "1000"},
      {1234, "1234", "1234", "1234"},
      {INT32_MAX, "2147483647", "2147483647", "2147483647"},
      // Negative: the sign first, then the digits padded as for the absolute value.
      {-5, "-5", "-05", "-005"},
      {-42, "-42", "-42", "-042"},
      {-1000, "-1000", "-1000", "-1000"},
      {INT32_MIN, "-2147483648", "-2147483648", "-2147483648"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.value);
    EXPECT_EQ(FormatCounterValue(row.value, FillStyle::Plain), row.plain);
    EXPECT_EQ(FormatCounterValue(row.value, FillStyle::TwoDigit), row.twoDigit);
    EXPECT_EQ(FormatCounterValue(row.value, FillStyle::ThreeDigit), row.threeDigit);
  }
}

struct ConvertRow {
  const char* text;
  const char* plain;
  const char* twoDigit;
  const char* threeDigit;
};

TEST(ConvertCounterText, RewritesByLengthWithoutParsing) {
  const ConvertRow rows[] = {
      {"7", "7", "07", "007"},
      {"07", "7", "07", "007"},
      {"007", "7", "07", "007"},
      {"010", "10", "10", "010"},
      {"12", "12", "12", "012"},
      {"100", "100", "100", "100"},
      {"1000", "1000", "1000", "1000"},
      {"1234", "1234", "1234", "1234"},
      {"", "", "", ""},
      {"00", "0", "00", "000"},
      {"000", "0", "00", "000"},
      {"0012", "0012", "0012", "0012"},  // four characters are never touched
      // Characters only: whatever is not a digit is moved around the same way.
      {"x", "x", "0x", "00x"},
      {"0a", "a", "0a", "00a"},
      {"-5", "-5", "-5", "0-5"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(ConvertCounterText(row.text, FillStyle::Plain), row.plain);
    EXPECT_EQ(ConvertCounterText(row.text, FillStyle::TwoDigit), row.twoDigit);
    EXPECT_EQ(ConvertCounterText(row.text, FillStyle::ThreeDigit), row.threeDigit);
  }
}

TEST(ConvertCounterText, StyleRoundTripsOfTheWindow) {
  // Plain -> three-digit -> plain, and three-digit -> two-digit -> plain.
  EXPECT_EQ(ConvertCounterText(ConvertCounterText("5", FillStyle::ThreeDigit), FillStyle::Plain), "5");
  EXPECT_EQ(ConvertCounterText("120", FillStyle::ThreeDigit), "120");
  EXPECT_EQ(ConvertCounterText(ConvertCounterText("007", FillStyle::TwoDigit), FillStyle::Plain), "7");
}

TEST(CounterValueList, EntriesPerStyle) {
  struct Row {
    FillStyle style;
    std::size_t count;
    const char* first;
    const char* tenth;
    const char* last;
  };
  const Row rows[] = {
      {FillStyle::Plain, 1000, "0", "9", "999"},
      {FillStyle::TwoDigit, 100, "00", "09", "99"},
      {FillStyle::ThreeDigit, 1000, "000", "009", "999"},
  };
  for (const auto& row : rows) {
    const auto list = CounterValueList(row.style);
    ASSERT_EQ(list.size(), row.count);
    EXPECT_EQ(list.front(), row.first);
    EXPECT_EQ(list[9], row.tenth);
    EXPECT_EQ(list.back(), row.last);
    EXPECT_EQ(list.front(), ZeroText(row.style));
    for (std::size_t i = 0; i < list.size(); ++i) {
      ASSERT_EQ(list[i], FormatCounterValue(static_cast<std::int32_t>(i), row.style));
    }
  }
}

TEST(RememberInHistory, AppendsOnlyNewNonEmptyTextsExactly) {
  std::vector<std::string> history{"pics", "a", "pics"};
  EXPECT_TRUE(RememberInHistory(history, "Pics"));    // case matters
  EXPECT_FALSE(RememberInHistory(history, "Pics"));
  EXPECT_FALSE(RememberInHistory(history, ""));
  EXPECT_TRUE(RememberInHistory(history, " pics"));   // no trimming
  EXPECT_FALSE(RememberInHistory(history, "a"));      // a later entry matches too
  EXPECT_TRUE(RememberInHistory(history, "pic"));     // whole string, not a prefix
  const std::vector<std::string> expected{"pics", "a", "pics", "Pics", " pics", "pic"};
  EXPECT_EQ(history, expected);
}

}  // namespace
}  // namespace serialix
