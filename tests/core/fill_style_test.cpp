#include "core/fill_style.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>

#include "core/history.h"

namespace serialix {
namespace {

using Styled = std::array<const char*, 3>;  // plain, two-digit, three-digit
constexpr FillStyle kStyles[] = {FillStyle::Plain, FillStyle::TwoDigit, FillStyle::ThreeDigit};

TEST(FormatCounterValue, PadsByStyleAndNeverCuts) {
  const std::pair<std::int32_t, Styled> rows[] = {
      {0, {"0", "00", "000"}},
      {7, {"7", "07", "007"}},
      {42, {"42", "42", "042"}},
      {99, {"99", "99", "099"}},
      {123, {"123", "123", "123"}},
      {1234, {"1234", "1234", "1234"}},
      {INT32_MAX, {"2147483647", "2147483647", "2147483647"}},
      // Negative: the sign first, then the digits padded as for the absolute value.
      {-5, {"-5", "-05", "-005"}},
      {-42, {"-42", "-42", "-042"}},
      {INT32_MIN, {"-2147483648", "-2147483648", "-2147483648"}},
  };
  for (const auto& [value, expected] : rows) {
    for (int s = 0; s < 3; ++s) EXPECT_EQ(FormatCounterValue(value, kStyles[s]), expected[s]) << value;
  }
}

TEST(ConvertCounterText, RewritesByLengthWithoutParsing) {
  const std::pair<const char*, Styled> rows[] = {
      {"7", {"7", "07", "007"}},          {"07", {"7", "07", "007"}},  {"007", {"7", "07", "007"}},
      {"010", {"10", "10", "010"}},       {"12", {"12", "12", "012"}}, {"100", {"100", "100", "100"}},
      {"1000", {"1000", "1000", "1000"}}, {"", {"", "", ""}},          {"000", {"0", "00", "000"}},
      {"0012", {"0012", "0012", "0012"}},                               // four characters are never touched
      {"0a", {"a", "0a", "00a"}},         {"-5", {"-5", "-5", "0-5"}},  // characters only, no parsing
  };
  for (const auto& [text, expected] : rows) {
    for (int s = 0; s < 3; ++s) EXPECT_EQ(ConvertCounterText(text, kStyles[s]), expected[s]) << text;
  }
}

TEST(ConvertCounterText, CountsCharactersNotBytes) {
  // A full-width digit is one character of three UTF-8 bytes.
  const std::pair<const char*, Styled> rows[] = {
      {"５", {"５", "0５", "00５"}},
      {"0５", {"５", "0５", "00５"}},
      {"1５", {"1５", "1５", "01５"}},
      {"00５", {"５", "0５", "00５"}},
      {"１２３", {"１２３", "１２３", "１２３"}},
  };
  for (const auto& [text, expected] : rows) {
    for (int s = 0; s < 3; ++s) EXPECT_EQ(ConvertCounterText(text, kStyles[s]), expected[s]) << text;
  }
}

TEST(CounterValueList, EntriesPerStyle) {
  const std::size_t counts[] = {1000, 100, 1000};
  const Styled tenth = {"9", "09", "009"}, last = {"999", "99", "999"};
  for (int s = 0; s < 3; ++s) {
    const auto list = CounterValueList(kStyles[s]);
    ASSERT_EQ(list.size(), counts[s]);
    EXPECT_EQ(std::tie(list.front(), list[9], list.back()), std::make_tuple(ZeroText(kStyles[s]), tenth[s], last[s]));
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
