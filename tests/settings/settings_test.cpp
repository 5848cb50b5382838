#include "settings/settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/text/codepage932.h"

namespace serialix {
namespace {

namespace fs = std::filesystem;
using Entries = std::vector<std::string>;

const Entries kDefaultSymbols{"-", "~", "_", "."};
const Entries kDefaultExtensions{"mpg", "mpeg", "mov", "rm", "ram"};

class Settings : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("serialix-settings-" + std::to_string(::getpid()) + "-" +
                                        testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    ini_ = dir_ / "set.ini";
  }
  void TearDown() override { fs::remove_all(dir_); }

  // File contents are given and checked as UTF-8 text, stored as code page 932.
  void PutText(const std::string& utf8) const {
    std::ofstream(ini_, std::ios::binary) << Utf8ToCp932(utf8);
  }
  std::string RawBytes() const {
    std::ifstream in(ini_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::string Text() const { return Cp932ToUtf8(RawBytes()); }

  fs::path dir_;
  fs::path ini_;
};

TEST_F(Settings, FirstStartCreatesAnEmptyFileAndSeedsDefaults) {
  const StoredSettings loaded = LoadSettings(ini_);
  EXPECT_EQ(loaded.symbols, kDefaultSymbols);
  EXPECT_EQ(loaded.extensions, kDefaultExtensions);
  EXPECT_TRUE(loaded.hosts.empty());
  EXPECT_FALSE(loaded.left.has_value());
  EXPECT_FALSE(loaded.top.has_value());
  ASSERT_TRUE(fs::is_regular_file(ini_));
  EXPECT_EQ(fs::file_size(ini_), 0u);

  // The empty file of a first start that never closed: no defaults, no position.
  const StoredSettings again = LoadSettings(ini_);
  EXPECT_TRUE(again.symbols.empty());
  EXPECT_TRUE(again.extensions.empty());
  EXPECT_FALSE(again.left.has_value());
}

TEST_F(Settings, FirstCloseWritesTheDocumentedFileByteForByte) {
  const StoredSettings loaded = LoadSettings(ini_);
  ASSERT_TRUE(SaveSettings(ini_, 975, 600, {"host1", "host2"}, loaded.symbols, {"mpg"}));
  const std::string expected =
      "\xB3\xA8\xDD\xC4\xDE\xB3\x88\xCA\x92\x75"; // ｳｨﾝﾄﾞｳ位置
  EXPECT_EQ(RawBytes(),
            "[" + expected + "]\r\n"
            "frmMain.Left=975\r\n"
            "frmMain.Top=600\r\n"
            "[URL]\r\n"
            "cmbB.List0=host1\r\n"
            "cmbB.List1=host2\r\n"
            "[\x8B\x4C\x8D\x86]\r\n"
            "cmbk.List0=-\r\n"
            "cmbk.List1=~\r\n"
            "cmbk.List2=_\r\n"
            "cmbk.List3=.\r\n"
            "[\x8A\x67\x92\xA3\x8E\x71]\r\n"
            "cmbN.List0=mpg\r\n");

  const StoredSettings next = LoadSettings(ini_);
  EXPECT_EQ(next.left, 975.0);
  EXPECT_EQ(next.top, 600.0);
  EXPECT_EQ(next.hosts, (Entries{"host1", "host2"}));
  EXPECT_EQ(next.symbols, kDefaultSymbols);
  EXPECT_EQ(next.extensions, Entries{"mpg"});
}

TEST_F(Settings, AListEndsAtTheFirstMissingOrEmptyKey) {
  PutText(
      "[URL]\r\ncmbB.List0=a\r\ncmbB.List1=b\r\ncmbB.List3=stray\r\n"
      "[記号]\r\ncmbK.List0=-\r\ncmbk.list1=  ~  \r\ncmbk.List2=\r\ncmbk.List3=_\r\n"
      "[拡張子]\r\ncmbN.List1=mpeg\r\n");
  const StoredSettings loaded = LoadSettings(ini_);
  EXPECT_EQ(loaded.hosts, (Entries{"a", "b"}));
  EXPECT_EQ(loaded.symbols, (Entries{"-", "~"}));
  EXPECT_TRUE(loaded.extensions.empty());

  ASSERT_TRUE(SaveSettings(ini_, 0, 0, loaded.hosts, loaded.symbols, loaded.extensions));
  EXPECT_EQ(Text(),
            "[ｳｨﾝﾄﾞｳ位置]\r\nfrmMain.Left=0\r\nfrmMain.Top=0\r\n"
            "[URL]\r\ncmbB.List0=a\r\ncmbB.List1=b\r\n"
            "[記号]\r\ncmbk.List0=-\r\ncmbk.List1=~\r\n");
}

TEST_F(Settings, CloseRewritesHistoriesButKeepsOtherKeysAndSections) {
  PutText(
      "; kept comment\r\n"
      "[ｳｨﾝﾄﾞｳ位置]\r\nfrmMain.Top=1\r\nfrmMain.Width=9000\r\nfrmMain.Left=2\r\n\r\n"
      "[拡張子]\r\ncmbN.List0=a\r\ncmbN.List1=b\r\ncmbN.List2=c\r\ncmbN.List3=d\r\ncmbN.List4=e\r\nmine=x\r\n"
      "[other]\r\nk=v\r\n"
      "[記号]\r\ncmbk.List0=-\r\n");
  ASSERT_TRUE(SaveSettings(ini_, -120, 12.5, {}, {}, {"a", "b", "c"}));
  EXPECT_EQ(Text(),
            "; kept comment\r\n"
            "[ｳｨﾝﾄﾞｳ位置]\r\nfrmMain.Top=12.5\r\nfrmMain.Width=9000\r\nfrmMain.Left=-120\r\n\r\n"
            "[other]\r\nk=v\r\n"
            "[拡張子]\r\ncmbN.List0=a\r\ncmbN.List1=b\r\ncmbN.List2=c\r\n");

  // Every symbol deleted: no section, and the next start shows none.
  const StoredSettings next = LoadSettings(ini_);
  EXPECT_TRUE(next.symbols.empty());
  EXPECT_EQ(next.left, -120.0);
  EXPECT_EQ(next.top, 12.5);
}

TEST_F(Settings, EntriesAreStoredSafelyAndComeBackWhole) {
  std::string longHost;
  for (int i = 0; i < 700; ++i) longHost += "ソ";  // 1400 bytes on disk, 0x5C trail bytes
  const Entries hosts{"a\r\n[記号]\r\ncmbk.List0=evil", "", "\"quoted\"", longHost, "emoji\xF0\x9F\x98\x80"};
  ASSERT_TRUE(SaveSettings(ini_, 975, 600, hosts, {"-"}, {}));
  EXPECT_EQ(Text(),
            "[ｳｨﾝﾄﾞｳ位置]\r\nfrmMain.Left=975\r\nfrmMain.Top=600\r\n"
            "[URL]\r\ncmbB.List0=a  [記号]  cmbk.List0=evil\r\ncmbB.List2=\"quoted\"\r\n"
            "cmbB.List3=" + longHost + "\r\ncmbB.List4=emoji?\r\n"
            "[記号]\r\ncmbk.List0=-\r\n");
  // The empty entry keeps its index, so the next start stops before it.
  const StoredSettings loaded = LoadSettings(ini_);
  EXPECT_EQ(loaded.hosts, Entries{"a  [記号]  cmbk.List0=evil"});
  EXPECT_EQ(loaded.symbols, Entries{"-"});

  ASSERT_TRUE(SaveSettings(ini_, 0, 0, {"\"quoted\"", longHost}, {}, {}));
  EXPECT_EQ(LoadSettings(ini_).hosts, (Entries{"\"quoted\"", longHost}));
}

TEST_F(Settings, ListsLongerThanSixteenBitsSurvive) {
  Entries hosts;
  for (int i = 0; i < 40000; ++i) hosts.push_back(std::string("h").append(std::to_string(i)));
  ASSERT_TRUE(SaveSettings(ini_, 0, 0, hosts, {}, {}));
  EXPECT_EQ(LoadSettings(ini_).hosts, hosts);
}

TEST_F(Settings, UnusablePositionsKeepTheDefaultPlacement) {
  struct Case {
    const char* stored;
    std::optional<double> position;
  };
  const Case cases[] = {
      {"975", 975.0},   {" -120 ", -120.0}, {"12.5", 12.5},        {"+30", 30.0},   {"1e3", 1000.0},
      {"", std::nullopt}, {"abc", std::nullopt}, {"12px", std::nullopt}, {"1,5", std::nullopt},
      {"nan", std::nullopt}, {"inf", std::nullopt}, {"1e300", std::nullopt}, {"+-5", std::nullopt},
      {"--5", std::nullopt}, {"\"975\"", std::nullopt},
  };
  for (const Case& c : cases) {
    PutText(std::string("[ｳｨﾝﾄﾞｳ位置]\r\nfrmMain.Left=") + c.stored + "\r\nfrmMain.Top=" + c.stored + "\r\n");
    const StoredSettings loaded = LoadSettings(ini_);
    EXPECT_EQ(loaded.left, c.position) << c.stored;
    EXPECT_EQ(loaded.top, c.position) << c.stored;
  }
}

TEST(SettingsPosition, IsStoredAsASinglePrecisionDecimal) {
  struct Case {
    double twips;
    const char* text;
  };
  const Case cases[] = {
      {975, "975"}, {-120, "-120"}, {12.5, "12.5"}, {0, "0"}, {-0.0, "0"}, {0.1, "0.1"},
      {16777217, "16777216"},  // beyond single precision, as the stored type holds it
      {123456789, "123456792"}, {-1.25, "-1.25"}, {1e40, ""}, {std::nan(""), ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatPosition(c.twips), c.text) << c.twips;
}

TEST_F(Settings, SaveReportsFailureAndLeavesTheOldFile) {
  PutText("[URL]\r\ncmbB.List0=old\r\n");
  fs::create_directory(dir_ / "blocked.ini");
  EXPECT_FALSE(SaveSettings(dir_ / "missing" / "set.ini", 0, 0, {"x"}, {}, {}));
  EXPECT_FALSE(SaveSettings(dir_ / "blocked.ini", 0, 0, {"x"}, {}, {}));
  EXPECT_EQ(Text(), "[URL]\r\ncmbB.List0=old\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 2);
}

TEST_F(Settings, FilePathFallsBackWhenTheProgramFolderCannotBeWritten) {
  const fs::path fallback = dir_ / "config" / "Serialix";
  EXPECT_EQ(SettingsFilePath(dir_, fallback), dir_ / "set.ini");
  EXPECT_FALSE(fs::exists(fallback));

  PutText("");
  EXPECT_EQ(SettingsFilePath(ini_, fallback), fallback / "set.ini");  // not a folder
  EXPECT_TRUE(fs::is_directory(fallback));
  EXPECT_EQ(SettingsFilePath(dir_ / "gone", fallback), fallback / "set.ini");
}

}  // namespace
}  // namespace serialix
