#include <gtest/gtest.h>

#include <QString>

#include <random>
#include <string>

#include "platform/services/large_text.h"

namespace serialix {
namespace {

using namespace std::string_literals;

QString Expected(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The conversion must give exactly what Qt's own does, malformed bytes included.
TEST(LargeUtf8ToQString, MatchesQtsConversion) {
  const std::string cases[] = {
      "",
      "www.example.jp",
      "ｳｨﾝﾄﾞｳ位置",
      "\xF0\x9F\x98\x80 needs two units",
      "\xFF stray, \x80 lone trail, \xC0\xAF overlong, \xED\xA0\x80 surrogate",
      "cut short \xE6\x97",
      "\xEF\xBB\xBF byte-order mark first",
      "NUL\0inside"s,
  };
  for (const std::string& text : cases) EXPECT_EQ(LargeUtf8ToQString(text), Expected(text)) << text;
}

TEST(LargeUtf8ToQString, RandomBytesMatchQtsConversion) {
  std::mt19937 random(7);
  const char alphabet[] =
      "a\0\x7F\x80\xBF\xC2\xE3\xED\xF0\xF4\xF5\xFF"
      "\x81\x9F";
  for (int round = 0; round < 500; ++round) {
    std::string bytes(random() % 64, '\0');
    for (char& c : bytes) c = alphabet[random() % (sizeof alphabet - 1)];
    ASSERT_EQ(LargeUtf8ToQString(bytes), Expected(bytes)) << round;
  }
}

// Many megabytes take the huge-page path; the text must still come out whole and exact.
TEST(LargeUtf8ToQString, ManyMegabytesComeOutWhole) {
  std::string text;
  while (text.size() < (9u << 20)) text += "host.example.jp/日本/\xF0\x9F\x98\x80\xFF";
  const QString converted = LargeUtf8ToQString(text);
  EXPECT_EQ(converted, Expected(text));
  EXPECT_EQ(LargeUtf8ToQString(std::string(9u << 20, 'h')), QString(9 << 20, QLatin1Char('h')));
}

}  // namespace
}  // namespace serialix
