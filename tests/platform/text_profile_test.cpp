#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>

#include "platform/text/codepage932.h"
#include "platform/text/profile_file.h"

namespace serialix {
namespace {

// Test files are written as UTF-8 here and stored as code page 932.
ProfileFile Parse(const std::string& utf8) { return ProfileFile::parse(Utf8ToCp932(utf8)); }
std::string Text(const ProfileFile& file) { return Cp932ToUtf8(file.bytes()); }

TEST(ProfileFileRead, FindsValuesAsTheProfileFunctionsDo) {
  const ProfileFile file = Parse(
      "stray=before any section\r\n"
      "; comment=not a key\r\n"
      "[ｳｨﾝﾄﾞｳ位置]\r\n"
      "frmMain.Left=975\r\n"
      "  FRMMAIN.TOP  =  \t600 \t\r\n"
      ";frmMain.Width=1\r\n"
      "just text\r\n"
      "[ url ]\n"
      "cmbB.List0=\"quoted\"\n"
      "cmbB.List1=\n"
      "cmbB.List2=a=b\n"
      "cmbB.List0=second copy\n"
      "[記号]trailing text\r\n"
      "cmbK.List0=-\r\n"
      "[URL]\r\n"
      "cmbB.List3=duplicate section\r\n"
      "[ソゾ]\r\n"
      "表=kanji key\r\n");
  struct Case {
    const char* section;
    const char* key;
    const char* value;
  };
  const Case cases[] = {
      {"ｳｨﾝﾄﾞｳ位置", "frmMain.Left", "975"},
      {"ｳｨﾝﾄﾞｳ位置", "frmMain.Top", "600"},       // case and blanks ignored
      {"ｳｨﾝﾄﾞｳ位置", "frmMain.Width", ""},         // commented out
      {"ｳｨﾝﾄﾞｳ位置", "; comment", ""},
      {"ｳｨﾝﾄﾞｳ位置", "just text", ""},
      {"", "stray", ""},                          // no section holds it
      {"URL", "cmbB.List0", "\"quoted\""},        // quotes kept, first key wins
      {"url", "CMBB.LIST1", ""},                  // empty reads like absent
      {"URL", "cmbB.List2", "a=b"},
      {"URL", "cmbB.List3", ""},                  // first section wins
      {"記号", "cmbk.List0", "-"},
      {"ソゾ", "表", "kanji key"},               // 0x5C/0x5D trail bytes in names
      {"ｿｿﾞ", "表", ""},                          // half-width is a different name
      {"missing", "cmbB.List0", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(file.read(c.section, c.key), c.value) << c.section << " " << c.key;
}

TEST(ProfileFileRead, ValuesComeBackWholeAndUnsplit) {
  std::string longValue;
  for (int i = 0; i < 3000; ++i) longValue += i % 2 ? "ア" : "x";  // odd byte positions for every kanji
  const ProfileFile file = Parse("[URL]\r\ncmbB.List0=" + longValue + "\r\n");
  EXPECT_EQ(file.read("URL", "cmbB.List0"), longValue);
}

TEST(ProfileFileRead, InvalidBytesNeverBreakTheLineStructure) {
  // 0x85 0x5D is an unassigned pair: its second byte must not close the
  // header, so that line is no header and "k" stays in section "s".
  const char bytes[] = "[s]\r\n[\x85\x5D\r\nk=1\r\nv=a\x80" "b\x81\r\nbin\0ary=x\0y\r\n";
  const ProfileFile file = ProfileFile::parse(std::string_view(bytes, sizeof bytes - 1));
  EXPECT_EQ(file.read("s", "k"), "1");
  EXPECT_EQ(file.read("s", "v"), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
  EXPECT_EQ(file.read("s", std::string("bin\0ary", 7)), std::string("x\0y", 3));
}

TEST(ProfileFileBytes, UntouchedFileKeepsEveryByte) {
  const std::string inputs[] = {
      "",
      "\r\n\r\n",
      "[s]\nk=v",                                        // LF only, no final line end
      "; note\r\n[s]\r\n\r\nk = v \r\n\r\n[t]\r\nx\r\n",
      std::string("\xFF\x81[\x83\x5D]\r\r\n\0\n=\n[", 16),
  };
  for (const std::string& input : inputs) EXPECT_EQ(ProfileFile::parse(input).bytes(), input);
}

TEST(ProfileFileWrite, ChangesOnlyTheLinesItConcerns) {
  struct Case {
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    const char* value;
    std::string after;
  };
  const Case cases[] = {
      {"replace in place, other lines and line ends kept",
       "; c\n[S]\nA=1\nk = old \nB=2\n", "s", "K", "new", "; c\n[S]\nA=1\nK=new\r\nB=2\n"},
      {"append at the section end, before its blank lines",
       "[s]\r\na=1\r\n\r\n[t]\r\nb=2\r\n", "S", "c", "3", "[s]\r\na=1\r\nc=3\r\n\r\n[t]\r\nb=2\r\n"},
      {"append after a comment ending the section",
       "[s]\r\na=1\r\n;end\r\n", "s", "c", "3", "[s]\r\na=1\r\n;end\r\nc=3\r\n"},
      {"empty section gets the key right after its header",
       "[s]\r\n[t]\r\n", "s", "k", "v", "[s]\r\nk=v\r\n[t]\r\n"},
      {"missing section goes to the end", "[t]\r\nb=2\r\n", "記号", "cmbk.List0", "-",
       "[t]\r\nb=2\r\n[記号]\r\ncmbk.List0=-\r\n"},
      {"last line without a line end gets one", "[t]\r\nb=2", "u", "k", "v", "[t]\r\nb=2\r\n[u]\r\nk=v\r\n"},
      {"append to a last section without a line end", "[t]\r\nb=2", "t", "k", "v", "[t]\r\nb=2\r\nk=v\r\n"},
      {"header alone without a line end", "[t]", "t", "k", "v", "[t]\r\nk=v\r\n"},
      {"empty file", "", "s", "k", "", "[s]\r\nk=\r\n"},
      {"line breaks in a value cannot add lines", "", "URL", "cmbB.List0", "a\r\n[x]\ny=z\r",
       "[URL]\r\ncmbB.List0=a  [x] y=z \r\n"},
      {"first of duplicate keys is replaced", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "3", "[s]\r\nk=3\r\nk=2\r\n"},
  };
  for (const Case& c : cases) {
    ProfileFile file = Parse(c.before);
    file.write(c.section, c.key, c.value);
    EXPECT_EQ(Text(file), c.after) << c.name;
  }
}

TEST(ProfileFileWrite, WrittenValuesReadBackAndSurviveAReparse) {
  ProfileFile file = Parse("[ｳｨﾝﾄﾞｳ位置]\r\nfrmMain.Left=1\r\n");
  file.write("ｳｨﾝﾄﾞｳ位置", "frmMain.Top", "600");
  file.write("ｳｨﾝﾄﾞｳ位置", "FRMMAIN.LEFT", "975");
  file.write("拡張子", "cmbN.List0", "ソ表]");
  file.write("s\xC3\xA9", "k\xF0\x9F\x98\x80", "lacking");  // neither name fits the code page
  for (const ProfileFile& f : {file, ProfileFile::parse(file.bytes())}) {
    EXPECT_EQ(f.read("s\xC3\xA9", "k\xF0\x9F\x98\x80"), "lacking");
    EXPECT_EQ(f.read("s?", "k?"), "lacking");
    EXPECT_EQ(f.read("ｳｨﾝﾄﾞｳ位置", "frmMain.Left"), "975");
    EXPECT_EQ(f.read("ｳｨﾝﾄﾞｳ位置", "frmMain.Top"), "600");
    EXPECT_EQ(f.read("拡張子", "cmbN.List0"), "ソ表]");
  }
  EXPECT_EQ(Text(file),
            "[ｳｨﾝﾄﾞｳ位置]\r\nFRMMAIN.LEFT=975\r\nfrmMain.Top=600\r\n[拡張子]\r\ncmbN.List0=ソ表]\r\n"
            "[s?]\r\nk?=lacking\r\n");
}

TEST(ProfileFileDelete, RemovesEverySectionOfThatNameWithItsLines) {
  ProfileFile file = Parse(
      "top\r\n[URL]\r\ncmbB.List0=a\r\n; note\r\n\r\n[記号]\r\ncmbk.List0=-\r\n[url]\r\ncmbB.List5=old\r\n");
  file.deleteSection("Url");
  EXPECT_EQ(Text(file), "top\r\n[記号]\r\ncmbk.List0=-\r\n");
  EXPECT_EQ(file.read("URL", "cmbB.List5"), "");
  file.write("URL", "cmbB.List0", "b");
  file.deleteSection("missing");
  EXPECT_EQ(Text(file), "top\r\n[記号]\r\ncmbk.List0=-\r\n[URL]\r\ncmbB.List0=b\r\n");
}

// Hostile files: these must load, read and write back without a crash and in
// linear time (run time is watched by whoever runs the tests, not asserted).
TEST(ProfileFileHostile, HugeLineLoadsWhole) {
  std::string bytes = "[s]\r\nk=";
  bytes.append(100u << 20, '\x83');  // 100 MB of lead bytes pairing with each other
  bytes += "\r\nz=1\r\n";
  const ProfileFile file = ProfileFile::parse(bytes);
  EXPECT_EQ(file.read("s", "z"), "1");
  EXPECT_EQ(file.read("s", "k").size(), (100u << 20) / 2 * 3);  // 0x83 0x83 is ハ, 3 UTF-8 bytes
  EXPECT_EQ(file.bytes().size(), bytes.size());
}

TEST(ProfileFileHostile, HundredThousandKeysReadAndWriteQuickly) {
  std::string bytes = "[URL]\r\n";
  for (int i = 0; i < 100000; ++i) bytes += "cmbB.List" + std::to_string(i) + "=host" + std::to_string(i) + "\r\n";
  bytes += "[end]\r\n";
  ProfileFile file = ProfileFile::parse(bytes);
  for (int i = 0; i < 100000; ++i) {
    ASSERT_EQ(file.read("url", "CMBB.LIST" + std::to_string(i)), "host" + std::to_string(i));
  }
  for (int i = 100000; i < 200000; ++i) file.write("URL", "cmbB.List" + std::to_string(i), "x");
  const std::string out = file.bytes();
  EXPECT_EQ(out.substr(0, bytes.size() - 7), bytes.substr(0, bytes.size() - 7));
  EXPECT_TRUE(out.ends_with("cmbB.List199998=x\r\ncmbB.List199999=x\r\n[end]\r\n"));
}

TEST(ProfileFileHostile, RandomBytesRoundTrip) {
  std::mt19937 random(42);
  const char alphabet[] = "[]=;\r\n \t\x81\x83\x5C\x5D\x80\xFF\0aK";
  for (int round = 0; round < 200; ++round) {
    std::string bytes(random() % 4000, '\0');
    for (char& c : bytes) c = alphabet[random() % (sizeof alphabet - 1)];
    ProfileFile file = ProfileFile::parse(bytes);
    ASSERT_EQ(file.bytes(), bytes);
    file.read("a", "k");
    file.write("K", "a", "v");
    file.deleteSection("]");
    EXPECT_EQ(ProfileFile::parse(file.bytes()).read("k", "A"), "v");
  }
}

}  // namespace
}  // namespace serialix
