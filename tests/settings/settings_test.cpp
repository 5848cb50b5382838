#include "settings/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/files/codepage932.h"
#include "platform/files/folder_writable.h"
#include "support/files.h"

namespace serialix {
namespace {

namespace fs = std::filesystem;
using Entries = std::vector<std::string>;

// File contents are given and checked as UTF-8, stored as code page 932.
class Settings : public ::testing::Test {
 protected:
  void PutText(const std::string& utf8) const { testing::PutFileBytes(ini_, Utf8ToCp932(utf8)); }
  std::string Text() const { return Cp932ToUtf8(testing::FileBytes(ini_)); }
  static void Put(const fs::path& path, const std::string& bytes) { testing::PutFileBytes(path, bytes); }

  testing::TemporaryFolder folder_;
  const fs::path& dir_ = folder_.path();
  fs::path ini_ = dir_ / "set.ini";
};

// The first close's bytes are checked through the window in tests/mainwindow/settings_file_test.cpp.
TEST_F(Settings, FirstStartCreatesAnEmptyFileAndSeedsDefaults) {
  const StoredSettings loaded = LoadSettings(ini_);
  EXPECT_EQ(loaded.symbols, (Entries{"-", "~", "_", "."}));
  EXPECT_EQ(loaded.extensions, (Entries{"mpg", "mpeg", "mov", "rm", "ram"}));
  EXPECT_TRUE(loaded.hosts.empty());
  EXPECT_FALSE(loaded.left || loaded.top);
  ASSERT_TRUE(fs::is_regular_file(ini_));
  EXPECT_EQ(fs::file_size(ini_), 0u);
  // The empty file of a first start that never closed: no defaults.
  const StoredSettings again = LoadSettings(ini_);
  EXPECT_TRUE(again.symbols.empty() && again.extensions.empty());
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
}

TEST_F(Settings, CloseRewritesHistoriesButKeepsOtherKeysAndSections) {
  PutText(
      "; kept comment\r\n[ｳｨﾝﾄﾞｳ位置]\r\nfrmMain.Top=1\r\nfrmMain.Width=9000\r\nfrmMain.Left=2\r\n\r\n"
      "[拡張子]\r\ncmbN.List0=a\r\ncmbN.List1=b\r\ncmbN.List2=c\r\ncmbN.List3=d\r\ncmbN.List4=e\r\nmine=x\r\n"
      "[other]\r\nk=v\r\n[記号]\r\ncmbk.List0=-\r\n");
  ASSERT_TRUE(SaveSettings(ini_, -120, 12.5, {}, {}, {"a", "b", "c"}));
  EXPECT_EQ(Text(),
            "; kept comment\r\n[ｳｨﾝﾄﾞｳ位置]\r\nfrmMain.Top=12.5\r\nfrmMain.Width=9000\r\nfrmMain.Left=-120\r\n\r\n"
            "[other]\r\nk=v\r\n[拡張子]\r\ncmbN.List0=a\r\ncmbN.List1=b\r\ncmbN.List2=c\r\n");
}

// Our own section: only "1" means https; a file that never saw the choice keeps its bytes.
TEST_F(Settings, HttpsIsReadFromItsOwnKeyAndWrittenOnlyOnceChosen) {
  const std::pair<const char*, bool> stored[] = {{"", false},          {"Https=1", true}, {" HTTPS = 1 ", true},
                                                 {"Https=yes", false}, {"Https=", false}, {"Https=10", false}};
  for (const auto& [line, https] : stored) {
    PutText(std::string("[ｳｨﾝﾄﾞｳ位置]\r\nfrmMain.Left=1\r\n[serialix]\r\n") + line + "\r\n");
    EXPECT_EQ(LoadSettings(ini_).https, https) << line;
  }
  const std::string others = "; mine\r\n[ｳｨﾝﾄﾞｳ位置]\r\nfrmMain.Left=1\r\nfrmMain.Top=2\r\n[other]\r\nk=ソ\r\n";
  PutText(others);
  for (const auto& [https, added] :
       {std::pair{false, ""}, {true, "[Serialix]\r\nHttps=1\r\n"}, {false, "[Serialix]\r\nHttps=0\r\n"}}) {
    ASSERT_TRUE(SaveSettings(ini_, 1, 2, {}, {}, {}, nullptr, nullptr, https));
    EXPECT_EQ(Text(), others + added);
    EXPECT_EQ(LoadSettings(ini_).https, https);
  }
}

TEST_F(Settings, EntriesAreStoredSafelyAndComeBackWhole) {
  std::string longHost;
  for (int i = 0; i < 700; ++i) longHost += "ソ";  // 1400 bytes on disk, 0x5C trail bytes
  const Entries hosts{"a\r\n[記号]\r\ncmbk.List0=evil", "", "\"quoted\"", longHost, "emoji\xF0\x9F\x98\x80"};
  ASSERT_TRUE(SaveSettings(ini_, 975, 600, hosts, {"-"}, {}));
  EXPECT_EQ(Text(),
            "[ｳｨﾝﾄﾞｳ位置]\r\nfrmMain.Left=975\r\nfrmMain.Top=600\r\n"
            "[URL]\r\ncmbB.List0=a  [記号]  cmbk.List0=evil\r\ncmbB.List1=\"\"quoted\"\"\r\n"
            "cmbB.List2=" +
                longHost + "\r\ncmbB.List3=emoji?\r\n[記号]\r\ncmbk.List0=-\r\n");
  // The empty entry is left out and the later ones close up.
  const StoredSettings loaded = LoadSettings(ini_);
  EXPECT_EQ(loaded.hosts, (Entries{"a  [記号]  cmbk.List0=evil", "\"quoted\"", longHost, "emoji?"}));
  EXPECT_EQ(loaded.symbols, Entries{"-"});

  Entries many{"\"quoted\"", longHost};  // and more than 16-bit indexes hold
  for (int i = 0; i < 40000; ++i) many.push_back(std::string("h").append(std::to_string(i)));
  ASSERT_TRUE(SaveSettings(ini_, 0, 0, many, {}, {}));
  EXPECT_EQ(LoadSettings(ini_).hosts, many);
}

// Blanks at the ends and quote pairs survive the profile reader's trimming; blank entries are
// never written, so they cannot end a list early.
TEST_F(Settings, EntriesWithBlanksOrQuotesComeBackExactly) {
  const Entries saved{" lead", "trail ", "\tboth\t", "\"q\"", "'q'",     "\"",  "'a\"",
                      "\"\"",  "   ",    "",         "\t",    "in side", "last"};
  ASSERT_TRUE(SaveSettings(ini_, 0, 0, saved, {" ~ "}, {}));
  const StoredSettings loaded = LoadSettings(ini_);
  EXPECT_EQ(loaded.hosts,
            (Entries{" lead", "trail ", "\tboth\t", "\"q\"", "'q'", "\"", "'a\"", "\"\"", "in side", "last"}));
  EXPECT_EQ(loaded.symbols, Entries{" ~ "});
  EXPECT_NE(Text().find("cmbB.List0=\" lead\"\r\ncmbB.List1=\"trail \"\r\n"), std::string::npos) << Text();
  EXPECT_NE(Text().find("cmbB.List5=\"\r\ncmbB.List6='a\"\r\n"), std::string::npos) << Text();

  // A file of an earlier version: plain values read as before, blanks around them dropped.
  PutText("[URL]\r\ncmbB.List0= host \r\ncmbB.List1=a\"b\r\ncmbB.List2='x'\r\ncmbB.List3=\"\"\r\ncmbB.List4=z\r\n");
  EXPECT_EQ(LoadSettings(ini_).hosts, (Entries{"host", "a\"b", "x"}));
}

// Two instances on one file: each close keeps what the other saved since it read the file,
// after its own entries; what this session deleted stays deleted, even after a second save.
TEST_F(Settings, CloseKeepsEntriesAnotherInstanceSavedMeanwhile) {
  PutText("[URL]\r\ncmbB.List0=both\r\ncmbB.List1=gone\r\n[記号]\r\ncmbk.List0=-\r\n");
  StoredSettings first = LoadSettings(ini_), second = LoadSettings(ini_);
  ASSERT_TRUE(SaveSettings(ini_, 0, 0, {"both", "gone", "b1", "b2"}, {"-", "~"}, {"mpg"}, nullptr, &second.asRead));
  ASSERT_TRUE(SaveSettings(ini_, 0, 0, {"a1", "both", "b2"}, {"-"}, {}, nullptr, &first.asRead));
  StoredSettings now = LoadSettings(ini_);
  EXPECT_EQ(now.hosts, (Entries{"a1", "both", "b2", "b1"}));  // "gone" was deleted here
  EXPECT_EQ(now.symbols, (Entries{"-", "~"}));
  EXPECT_EQ(now.extensions, (Entries{"mpg"}));

  // A later save of the same session deletes what it saved before.
  ASSERT_TRUE(SaveSettings(ini_, 0, 0, {"both"}, {"-", "~"}, {"mpg"}, nullptr, &first.asRead));
  EXPECT_EQ(LoadSettings(ini_).hosts, Entries{"both"});
}

// Entries the user did not change go back as the file held their bytes, even when they are not
// code page 932 (a hand edit in UTF-8, a stray byte, a character with two codes); a changed
// list is still written in code page 932.
TEST_F(Settings, UnchangedEntriesKeepTheirBytes) {
  const std::string odd[] = {"\xE4\xBE\x8B.jp",
                             "a\x80"
                             "b",
                             "\xFA\x4A", "\xEF\xBD\xB3x"};
  std::string file = "[URL]\r\n";
  for (int i = 0; i < 4; ++i) file += "cmbB.List" + std::to_string(i) + "=" + odd[i] + "\r\n";
  Put(ini_, file);
  StoredSettings loaded = LoadSettings(ini_);
  ASSERT_EQ(loaded.hosts.size(), 4u);
  Entries hosts = loaded.hosts;
  hosts.push_back("新");
  ASSERT_TRUE(SaveSettings(ini_, 0, 0, hosts, {}, {}, nullptr, &loaded.asRead));
  EXPECT_TRUE(testing::FileBytes(ini_).ends_with(file.substr(7) + "cmbB.List4=" + Utf8ToCp932("新") + "\r\n"))
      << testing::FileBytes(ini_);
}

// A file saved as UTF-8 is told apart, read as code page 932, and its sections are found by
// their UTF-8 names (after a byte-order mark too), so a close never doubles one.
TEST_F(Settings, Utf8FileKeepsItsSectionsSingle) {
  for (const std::string mark : {"", "\xEF\xBB\xBF"}) {
    const std::string file = mark + "[ｳｨﾝﾄﾞｳ位置]\r\nfrmMain.Left=1\r\nmine=1\r\n[記号]\r\ncmbk.List0=〜\r\n";
    Put(ini_, file);
    StoredSettings loaded = LoadSettings(ini_);
    EXPECT_TRUE(loaded.utf8);
    EXPECT_EQ(loaded.left, 1.0);
    ASSERT_EQ(loaded.symbols.size(), 1u);
    ASSERT_TRUE(SaveSettings(ini_, 30, 45, {}, loaded.symbols, {}, nullptr, &loaded.asRead));
    EXPECT_EQ(testing::FileBytes(ini_), mark + "[ｳｨﾝﾄﾞｳ位置]\r\nfrmMain.Left=30\r\nmine=1\r\nfrmMain.Top=45\r\n" +
                                            Utf8ToCp932("[記号]") + "\r\ncmbk.List0=〜\r\n");
    EXPECT_FALSE(LoadSettings(ini_).utf8);  // now mixed: no longer valid UTF-8
  }
  PutText("[ｳｨﾝﾄﾞｳ位置]\r\nfrmMain.Left=1\r\n");
  EXPECT_FALSE(LoadSettings(ini_).utf8);
}

// A set.ini that exists but is not a readable regular file is neither read (start-up never
// waits on it) nor replaced; the session starts with the defaults of a first start.
TEST_F(Settings, UnreadableFileIsReportedAndLeftAlone) {
  ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0644), 0);
  fs::create_directory(dir_ / "folder");
  Put(dir_ / "locked", "[URL]\r\ncmbB.List0=keep\r\n");
  ::chmod((dir_ / "locked").c_str(), 0);
  const bool permissionsBite = ::access((dir_ / "locked").c_str(), R_OK) != 0;  // not as root
  std::vector<fs::path> cases{dir_ / "fifo", dir_ / "folder"};
  for (const char* name : {"fifo", "folder"}) {
    fs::create_symlink(dir_ / name, dir_ / (std::string(name) + "-link"));
    cases.push_back(dir_ / (std::string(name) + "-link"));
  }
  fs::create_symlink("/proc/self/mem", dir_ / "read-error");  // a regular file whose read fails
  cases.push_back(dir_ / "read-error");
  if (permissionsBite) cases.push_back(dir_ / "locked");

  for (const fs::path& path : cases) {
    SCOPED_TRACE(path.filename().string());
    const fs::file_type before = fs::status(path).type();
    const StoredSettings loaded = LoadSettings(path);
    EXPECT_TRUE(loaded.unreadable);
    EXPECT_EQ(loaded.symbols, (Entries{"-", "~", "_", "."}));
    EXPECT_EQ(loaded.extensions.size(), 5u);
    EXPECT_FALSE(loaded.left || loaded.top);
    std::error_code error;
    EXPECT_FALSE(SaveSettings(path, 0, 0, {"x"}, {}, {}, &error));
    EXPECT_TRUE(error);
    EXPECT_EQ(fs::status(path).type(), before);
  }
  ::chmod((dir_ / "locked").c_str(), 0644);
  std::ifstream in(dir_ / "locked", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "[URL]\r\ncmbB.List0=keep\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 6);  // no file created, no temporary left
}

TEST_F(Settings, PositionsAreReadWhenUsableAndStoredAsSinglePrecision) {
  const std::pair<const char*, std::optional<double>> read[] = {
      {"975", 975.0}, {" -120 ", -120.0}, {"12.5", 12.5}, {"+30", 30.0}, {"1e3", 1000.0},
      {"", {}},       {"abc", {}},        {"12px", {}},   {"1,5", {}},   {"nan", {}},
      {"inf", {}},    {"1e300", {}},      {"+-5", {}},    {"--5", {}},   {"\"975\"", {}},
  };
  for (const auto& [stored, position] : read) {
    PutText(std::string("[ｳｨﾝﾄﾞｳ位置]\r\nfrmMain.Left=") + stored + "\r\nfrmMain.Top=" + stored + "\r\n");
    const StoredSettings loaded = LoadSettings(ini_);
    EXPECT_EQ(loaded.left, position) << stored;
    EXPECT_EQ(loaded.top, position) << stored;
  }
  const std::pair<double, const char*> written[] = {
      {975, "975"},     {-120, "-120"},         {12.5, "12.5"},           {0, "0"}, {-0.0, "0"}, {0.1, "0.1"},
      {-1.25, "-1.25"}, {16777217, "16777216"}, {123456789, "123456792"},  // as the stored single precision holds them
      {1e40, ""},       {std::nan(""), ""},
  };
  for (const auto& [twips, text] : written) EXPECT_EQ(FormatPosition(twips), text) << twips;
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

// One rule decides, so the settings location never disagrees with the export's start folder.
// Root passes every permission bit, so a read-only folder is writable for root (and it is: the
// probe file is made); /proc takes no new file even from root, where access(W_OK) says yes.
TEST_F(Settings, TheSettingsLocationFollowsTheOneWritabilityRule) {
  PutText("");
  const fs::path locked = dir_ / "locked";
  fs::create_directory(locked);
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  const bool root = ::geteuid() == 0;
  const std::pair<fs::path, bool> folders[] = {
      {dir_, true}, {ini_, false}, {dir_ / "gone", false}, {fs::path(), false}, {locked, root}, {"/proc", false},
  };
  const fs::path fallback = dir_ / "config";
  for (const auto& [folder, writable] : folders) {
    EXPECT_EQ(FolderIsWritable(folder), writable) << folder;
    EXPECT_EQ(SettingsFilePath(folder, fallback), (writable ? folder : fallback) / "set.ini") << folder;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 3) << "no probe file stays behind";
  EXPECT_TRUE(fs::is_empty(locked));
  fs::permissions(locked, fs::perms::owner_all);
}

}  // namespace
}  // namespace serialix
