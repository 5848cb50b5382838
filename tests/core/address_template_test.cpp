#include "core/address_template.h"

#include "core/address_characters.h"

#include <gtest/gtest.h>

#include <climits>
#include <iterator>
#include <string>
#include <tuple>

#include "core/address_run.h"

namespace serialix {
namespace {

TEST(ParseCounterText, AcceptsOnlyStrictDecimalInt32) {
  const std::pair<const char*, std::optional<std::int32_t>> rows[] = {
      {"007", 7},
      {"+12", 12},
      {"-5", -5},
      {"2147483647", INT32_MAX},
      {"-2147483648", INT32_MIN},
      {"000000000002147483647", INT32_MAX},
      {"2147483648", {}},
      {"-2147483649", {}},
      {"99999999999999999999999", {}},
      {"", {}},
      {"-", {}},
      {" 1", {}},
      {"1 ", {}},
      {"1a", {}},
      {"1.0", {}},
      {"--1", {}},
      {"\xef\xbc\x91", {}},  // full-width one
  };
  for (const auto& [text, value] : rows) EXPECT_EQ(ParseCounterText(text), value) << text;
}

Counter On(std::int32_t from, std::int32_t to) {
  return Counter{true, from, to, FillStyle::Plain};
}

TEST(AddressCount, ProductOfTheCountersTakingPart) {
  const Counter off{};
  const struct {
    Counter g, j, l;
    bool link;
    std::optional<std::uint64_t> count;
  } rows[] = {
      {off, off, off, false, 1},
      {Counter{false, 5, 9}, off, off, false, 1},  // disabled: one pass whatever it holds
      {On(1, 2), On(5, 6), On(0, 0), false, 4},
      {On(1, 2), On(3, 1), On(0, 9), true, 20},  // the link ignores J's range, even an empty one
      {On(1, 2), On(3, 1), On(0, 9), false, 0},
      {On(0, 999), On(0, 999), On(0, 999), false, 1000000000},
      {On(INT32_MIN, INT32_MAX), off, off, false, std::uint64_t{1} << 32},
      {On(INT32_MIN, INT32_MAX), On(0, (1 << 30) - 1), off, false, std::uint64_t{1} << 62},
      {On(INT32_MIN, INT32_MAX), On(0, INT32_MAX), off, false, std::nullopt},  // 2^63 does not fit
      {On(INT32_MIN, INT32_MAX), On(INT32_MIN, INT32_MAX), On(3, 1), false, 0},
  };
  for (const auto& row : rows) {
    AddressTemplate t;
    t.G = row.g, t.J = row.j, t.L = row.l, t.counterLink = row.link;
    EXPECT_EQ(AddressCount(t), row.count) << row.g.from << ".." << row.g.to << " link " << row.link;
  }
}

CounterInput In(const char* from, const char* to, bool enabled = true) {
  return CounterInput{enabled, from, to, FillStyle::TwoDigit};
}

TEST(ReadTemplate, ConvertsLazilyInEnumerationOrder) {
  const struct {
    const char* name;
    CounterInput g, j, l;
    bool link;
    char errorCounter;  // 0: read without error
    const char* errorText;
  } rows[] = {
      {"G from bad", In("x", "2"), In("5", "6"), In("0", "0"), false, 'G', "x"},
      {"G to bad", In("1", ""), In("5", "6"), In("0", "0"), false, 'G', ""},
      {"G from before to", In("a", "b"), In("", ""), In("", ""), false, 'G', "a"},
      {"G disabled unread", In("x", "y", false), In("5", "6"), In("0", "0"), false, 0, ""},
      {"J bad", In("1", "2"), In("5", "99999999999"), In("0", "0"), false, 'J', "99999999999"},
      {"J unread while linked", In("1", "2"), In("", "?"), In("0", "0"), true, 0, ""},
      {"J disabled unread", In("1", "2"), In("", "", false), In("0", "0"), false, 0, ""},
      {"L bad", In("1", "2"), In("5", "6"), In("0", " 1"), false, 'L', " 1"},
      {"empty G: J, L unreached", In("3", "1"), In("", ""), In("", ""), false, 0, ""},
      {"empty J: L unreached", In("1", "2"), In("6", "5"), In("", ""), false, 0, ""},
      {"linked: J's empty range no bar to L", In("1", "2"), In("6", "5"), In("", "x"), true, 'L', ""},
      {"disabled G makes a pass", In("", "", false), In("1", "1"), In("q", "1"), false, 'L', "q"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TemplateInput input;
    input.G = row.g, input.J = row.j, input.L = row.l, input.counterLink = row.link;
    const auto result = ReadTemplate(input);
    const auto* error = std::get_if<CounterTextError>(&result);
    ASSERT_EQ(error != nullptr, row.errorCounter != 0);
    if (error) {
      EXPECT_EQ(std::tie(error->counter, error->text), std::make_tuple(row.errorCounter, row.errorText));
    }
  }

  TemplateInput input;  // texts carried over, values converted, a disabled counter keeps its style only
  input.B = "host", input.N = "mpg";
  input.G = In("-2", "2147483647"), input.J = In("5", "6", false), input.L = In("7", "8");
  auto t = std::get<AddressTemplate>(ReadTemplate(input));
  EXPECT_EQ(std::make_tuple(t.B + t.N, t.G.from, t.G.to, t.L.from, t.L.to),
            std::make_tuple("hostmpg", -2, INT32_MAX, 7, 8));
  EXPECT_EQ(std::make_tuple(t.J.enabled, t.J.from, t.J.style), std::make_tuple(false, 0, FillStyle::TwoDigit));
  input.G = In("3", "1");
  t = std::get<AddressTemplate>(ReadTemplate(input));
  EXPECT_EQ(std::make_tuple(t.G.from, t.G.to, t.L.from, t.L.to), std::make_tuple(3, 1, 0, 0));  // L unreached
}

// No text that reaches an address may carry a control character: every C0 character and DEL
// in any text segment is refused, before any counter text is read; other characters pass.
TEST(ReadTemplate, RefusesControlCharactersInEveryTextSegment) {
  std::string TemplateInput::*const segments[] = {
      &TemplateInput::B, &TemplateInput::C, &TemplateInput::D, &TemplateInput::E, &TemplateInput::F,
      &TemplateInput::H, &TemplateInput::I, &TemplateInput::K, &TemplateInput::M, &TemplateInput::N};
  const char letters[] = "BCDEFHIKMN";
  for (int c = 0; c < 0x80; ++c) {
    const bool control = c < 0x20 || c == 0x7F;
    for (std::size_t k = 0; k < std::size(segments); ++k) {
      TemplateInput input;
      input.G = In("x", "y");  // would be refused too, but only after the texts
      input.*segments[k] = std::string("a") + static_cast<char>(c) + "b";
      const auto result = ReadTemplate(input);
      const auto* error = std::get_if<SegmentTextError>(&result);
      ASSERT_EQ(error != nullptr, control) << "byte " << c << " in " << letters[k];
      if (error) {
        EXPECT_EQ(std::tie(error->segment, error->text), std::tie(letters[k], input.*segments[k]));
      }
    }
  }
  TemplateInput input;
  input.B = "ホスト\u3000é";  // multi-byte characters are no control characters
  EXPECT_TRUE(std::holds_alternative<AddressTemplate>(ReadTemplate(input)));
}

// Over every character: the reader refuses exactly the controls, the line and paragraph
// separators and the direction controls, and reads each character back whole.
TEST(ReadTemplate, RefusesExactlyTheInvisibleCharactersOfEveryPlane) {
  const auto refused = [](char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x200E || c == 0x200F || c == 0x2028 || c == 0x2029 ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
  };
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    std::string text;
    AppendUtf8(text, c);
    std::size_t pos = 0;
    ASSERT_EQ(static_cast<std::uint32_t>(NextCodePoint(text, pos).value_or(0xFFFFFFFF)), static_cast<std::uint32_t>(c));
    ASSERT_EQ(pos, text.size());
    if (c > 0x3000 && c % 97 != 0) continue;  // the template reader on a sample above U+3000
    TemplateInput input;
    input.N = "a" + text;
    ASSERT_EQ(std::holds_alternative<SegmentTextError>(ReadTemplate(input)), refused(c))
        << std::hex << static_cast<std::uint32_t>(c);
  }
}

TEST(NextCodePoint, RefusesWhatIsNotUtf8) {
  for (const char* bytes : {"\x80", "\xC0\xAF", "\xC2", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                            "\xF5\x80\x80\x80", "\xE3\x81", "\xE3\x41\x81", "\xFF"}) {
    std::size_t pos = 0;
    EXPECT_FALSE(NextCodePoint(bytes, pos).has_value()) << bytes;
    EXPECT_EQ(pos, 0u);
    EXPECT_FALSE(IsValidUtf8(std::string("ok") + bytes));
  }
}

// Every segment reaches the address through the slot of its kind, in the table's order: a
// segment missed by the walk or mapped to another's member shows up out of place.
TEST(SegmentTable, AnAddressIsTheSegmentsInTableOrder) {
  TemplateInput input;
  std::string expected;
  int value = 1;
  for (const Segment& segment : kSegments) {
    if (CounterInput* counter = input.counter(segment.letter)) {
      EXPECT_EQ(segment.kind, SegmentKind::Counter) << segment.letter;
      const std::string digits = std::to_string(value++);
      *counter = CounterInput{true, digits, digits, FillStyle::Plain};
      expected += digits;
    } else if (std::string* text = input.text(segment.letter)) {
      EXPECT_NE(segment.kind, SegmentKind::Counter) << segment.letter;
      *text = std::string(1, segment.letter) + "_";
      expected += *text;
    } else {
      EXPECT_EQ(segment.letter, 'A');
      expected += segment.fixedText;
    }
  }
  const auto read = ReadTemplate(input);
  ASSERT_TRUE(std::holds_alternative<AddressTemplate>(read));
  const AddressRun run(std::get<AddressTemplate>(read));
  ASSERT_EQ(run.size(), 1u);
  EXPECT_EQ(run.at(0), "http://B_C_D_E_F_1H_I_2K_3M_N_");
  EXPECT_EQ(run.at(0), expected);
}

}  // namespace
}  // namespace serialix
