#include "core/address_template.h"

#include <gtest/gtest.h>

#include <climits>

namespace serialix {
namespace {

TEST(ParseCounterText, AcceptsOnlyStrictDecimalInt32) {
  struct Row {
    const char* text;
    std::optional<std::int32_t> value;
  };
  const Row rows[] = {
      {"0", 0},
      {"007", 7},
      {"+12", 12},
      {"-5", -5},
      {"-0", 0},
      {"2147483647", INT32_MAX},
      {"-2147483648", INT32_MIN},
      {"000000000002147483647", INT32_MAX},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"99999999999999999999999", std::nullopt},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"+", std::nullopt},
      {" 1", std::nullopt},
      {"1 ", std::nullopt},
      {"1a", std::nullopt},
      {"0x10", std::nullopt},
      {"1.0", std::nullopt},
      {"--1", std::nullopt},
      {"1e3", std::nullopt},
      {"\xef\xbc\x91", std::nullopt},  // full-width one
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(ParseCounterText(row.text), row.value);
  }
}

Counter On(std::int32_t from, std::int32_t to) { return Counter{true, from, to, FillStyle::Plain}; }

TEST(AddressCount, ProductOfTakingPart) {
  struct Row {
    Counter g, j, l;
    bool link;
    std::optional<std::uint64_t> count;
  };
  const Counter off{};
  const Counter offWithRange{false, 5, 9, FillStyle::Plain};
  const Row rows[] = {
      {off, off, off, false, 1},
      {offWithRange, off, off, false, 1},                  // disabled is one pass whatever it holds
      {On(1, 20), off, off, false, 20},
      {On(1, 2), On(5, 6), On(0, 0), false, 4},
      {On(1, 2), On(5, 6), On(0, 0), true, 2},             // link ignores J's range
      {On(1, 2), On(3, 1), On(0, 9), true, 20},            // ... even an empty one
      {On(1, 2), On(3, 1), On(0, 9), false, 0},
      {On(3, 1), On(0, 9), On(0, 9), false, 0},
      {On(0, 999), On(0, 999), On(0, 999), false, 1000000000},
      {On(INT32_MIN, INT32_MAX), off, off, false, std::uint64_t{1} << 32},
      {On(INT32_MAX, INT32_MAX), off, off, false, 1},
      // 2^32 * 2^31 = 2^63 does not fit; 2^32 * 2^30 does.
      {On(INT32_MIN, INT32_MAX), On(0, INT32_MAX), off, false, std::nullopt},
      {On(INT32_MIN, INT32_MAX), On(0, (1 << 30) - 1), off, false, std::uint64_t{1} << 62},
      {On(INT32_MIN, INT32_MAX), On(INT32_MIN, INT32_MAX), On(3, 1), false, 0},  // empty wins
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(i);
    AddressTemplate t;
    t.G = rows[i].g;
    t.J = rows[i].j;
    t.L = rows[i].l;
    t.counterLink = rows[i].link;
    EXPECT_EQ(AddressCount(t), rows[i].count);
  }
  EXPECT_EQ(PassCount(On(INT32_MIN, INT32_MAX)), std::uint64_t{1} << 32);
  EXPECT_EQ(PassCount(On(2, 1)), 0u);
  EXPECT_EQ(PassCount(Counter{}), 1u);
}

CounterInput In(const char* from, const char* to, bool enabled = true) {
  return CounterInput{enabled, from, to, FillStyle::TwoDigit};
}

TEST(ReadTemplate, ConvertsLazilyInEnumerationOrder) {
  struct Row {
    const char* name;
    CounterInput g, j, l;
    bool link;
    char errorCounter;  // 0: success
    const char* errorText;
  };
  const Row rows[] = {
      {"all good", In("1", "2"), In("5", "6"), In("0", "0"), false, 0, ""},
      {"G from bad", In("x", "2"), In("5", "6"), In("0", "0"), false, 'G', "x"},
      {"G to bad", In("1", ""), In("5", "6"), In("0", "0"), false, 'G', ""},
      {"G from reported before to", In("a", "b"), In("", ""), In("", ""), false, 'G', "a"},
      {"G disabled is never read", In("x", "y", false), In("5", "6"), In("0", "0"), false, 0, ""},
      {"J bad", In("1", "2"), In("5", "99999999999"), In("0", "0"), false, 'J', "99999999999"},
      {"J ignored while linked", In("1", "2"), In("", "?"), In("0", "0"), true, 0, ""},
      {"J disabled is never read", In("1", "2"), In("", "", false), In("0", "0"), false, 0, ""},
      {"L bad", In("1", "2"), In("5", "6"), In("0", " 1"), false, 'L', " 1"},
      {"empty G: J and L unreached", In("3", "1"), In("", ""), In("", ""), false, 0, ""},
      {"empty J: L unreached", In("1", "2"), In("6", "5"), In("", ""), false, 0, ""},
      {"linked, empty J range still reaches L", In("1", "2"), In("6", "5"), In("", "x"), true, 'L', ""},
      {"disabled G makes one pass", In("", "", false), In("1", "1"), In("q", "1"), false, 'L', "q"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TemplateInput input;
    input.B = "host";
    input.N = "mpg";
    input.G = row.g;
    input.J = row.j;
    input.L = row.l;
    input.counterLink = row.link;
    const auto result = ReadTemplate(input);
    if (row.errorCounter != 0) {
      ASSERT_TRUE(std::holds_alternative<CounterTextError>(result));
      const auto& error = std::get<CounterTextError>(result);
      EXPECT_EQ(error.counter, row.errorCounter);
      EXPECT_EQ(error.text, row.errorText);
    } else {
      ASSERT_TRUE(std::holds_alternative<AddressTemplate>(result));
      const auto& t = std::get<AddressTemplate>(result);
      EXPECT_EQ(t.B, "host");
      EXPECT_EQ(t.N, "mpg");
      EXPECT_EQ(t.counterLink, row.link);
      EXPECT_EQ(t.G.enabled, row.g.enabled);
      EXPECT_EQ(t.J.enabled, row.j.enabled);
      EXPECT_EQ(t.J.style, FillStyle::TwoDigit);
    }
  }
}

TEST(ReadTemplate, ValuesOfReadAndUnreadCounters) {
  TemplateInput input;
  input.G = In("3", "1");
  input.J = In("5", "6");
  input.L = In("7", "8");
  auto t = std::get<AddressTemplate>(ReadTemplate(input));
  EXPECT_EQ(t.G.from, 3);
  EXPECT_EQ(t.G.to, 1);
  EXPECT_EQ(t.J.from, 0);  // unreached
  EXPECT_EQ(t.L.to, 0);

  input.G = In("-2", "2147483647");
  t = std::get<AddressTemplate>(ReadTemplate(input));
  EXPECT_EQ(t.G.from, -2);
  EXPECT_EQ(t.G.to, INT32_MAX);
  EXPECT_EQ(t.J.from, 5);
  EXPECT_EQ(t.J.to, 6);
  EXPECT_EQ(t.L.from, 7);
  EXPECT_EQ(t.L.to, 8);
}

}  // namespace
}  // namespace serialix
