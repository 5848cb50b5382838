#include <gtest/gtest.h>

#include <string>

#include "platform/text/codepage932.h"

namespace serialix {
namespace {

struct Pair {
  const char* utf8;
  const char* cp932;
};

// Texts the code page holds: both directions give each other exactly.
TEST(Codepage932, ConvertsRepresentableTextBothWays) {
  const Pair cases[] = {
      {"", ""},
      {"cmbB.List0=host1", "cmbB.List0=host1"},
      {"ｳｨﾝﾄﾞｳ位置", "\xB3\xA8\xDD\xC4\xDE\xB3\x88\xCA\x92\x75"},
      {"記号", "\x8B\x4C\x8D\x86"},
      {"拡張子", "\x8A\x67\x92\xA3\x8E\x71"},
      {"ソ表ゾ", "\x83\x5C\x95\x5C\x83\x5D"},  // trail bytes 0x5C and 0x5D
      {"\\~", "\x5C\x7E"},
      {"ＡＢ１", "\x82\x60\x82\x61\x82\x50"},
      {"①Ⅰ", "\x87\x40\x87\x54"},  // NEC row 13
  };
  for (const Pair& c : cases) {
    EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932) << c.utf8;
    EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << c.utf8;
  }
}

TEST(Codepage932, UnrepresentableOrMalformedUtf8BecomesOneQuestionMarkEach) {
  const Pair cases[] = {
      {"a\xF0\x9F\x98\x80z", "a?z"},   // emoji: one character, one "?"
      {"\xC3\xA9t\xC3\xA9", "?t?"},    // é is not in the code page
      {"位\xE2\x82\xAC置", "\x88\xCA?\x92\x75"},  // euro sign between kanji
      {"x\xFFy", "x?y"},               // stray byte
      {"\xE3\x81", "??"},              // sequence cut short at the end
      {"\xED\xA0\x80", "?"},           // encoded surrogate
  };
  for (const Pair& c : cases) EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932) << c.cp932;
}

TEST(Codepage932, InvalidBytesDecodeAsReplacementCharacters) {
  const Pair cases[] = {
      {"a\xEF\xBF\xBD" "b", "a\x80" "b"},               // byte no character starts with
      {"\xEF\xBF\xBD", "\x81"},                       // lead byte at the very end
      {"\xEF\xBF\xBD=", "\x81="},                     // lead byte without a trail byte
      {"[\xEF\xBF\xBD" "a", "[\x85\x5D" "a"},          // unassigned pair: one character, no "]"
      {"x\xEF\xBF\xBD\xEF\xBF\xBD", "x\xFD\xFE"},
  };
  for (const Pair& c : cases) EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << c.utf8;
}

// Every character the code page decodes must encode to bytes that decode to
// the same character again (duplicated characters may take the other code).
TEST(Codepage932, EveryDecodableCharacterSurvivesARoundTrip) {
  int decodable = 0;
  for (unsigned lead = 0; lead < 256; ++lead) {
    for (unsigned trail = 0; trail < 256; ++trail) {
      std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
      if (Cp932CharLength(bytes, 0) == 1) bytes.resize(1);
      if (bytes.size() == 1 && trail != 0) continue;
      const std::string text = Cp932ToUtf8(bytes);
      if (text == "\xEF\xBF\xBD") continue;
      ++decodable;
      EXPECT_EQ(Cp932ToUtf8(Utf8ToCp932(text)), text) << lead << " " << trail;
    }
  }
  EXPECT_GT(decodable, 7000);  // the code page has some 7900 characters
}

}  // namespace
}  // namespace serialix
