#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "platform/files/codepage932.h"
#include "platform/files/file_exists.h"
#include "platform/files/file_kind.h"
#include "platform/files/profile_file.h"
#include "platform/files/replaced_file.h"
#include "support/files.h"
#include "support/sanitizer.h"

namespace serialix {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

struct Pair {
  const char* utf8;
  const char* cp932;
};

// Texts the code page holds: both directions give each other exactly.
TEST(Codepage932, ConvertsRepresentableTextBothWays) {
  const Pair cases[] = {
      {"", ""},
      {"cmbB.List0=host1", "cmbB.List0=host1"},
      {"\\~", "\x5C\x7E"},
      {"記号", "\x8B\x4C\x8D\x86"},
      {"ｳｨﾝﾄﾞｳ位置", "\xB3\xA8\xDD\xC4\xDE\xB3\x88\xCA\x92\x75"},
      {"拡張子", "\x8A\x67\x92\xA3\x8E\x71"},
      {"ソ表ゾ", "\x83\x5C\x95\x5C\x83\x5D"},  // trail bytes 0x5C and 0x5D
      {"ＡＢ１", "\x82\x60\x82\x61\x82\x50"},
      {"①Ⅰ", "\x87\x40\x87\x54"},  // NEC row 13
  };
  for (const Pair& c : cases) {
    EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932) << c.utf8;
    EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << c.utf8;
    EXPECT_EQ(FirstCharNotInCp932(c.utf8), std::nullopt) << c.utf8;
  }
}

TEST(Codepage932, UnrepresentableOrMalformedUtf8BecomesOneQuestionMarkEach) {
  // The first character that failed, whole, is what the export names.
  const char* firstFailing[] = {"\xF0\x9F\x98\x80", "\xC3\xA9", "\xE2\x82\xAC", "\xFF", "\xE3", "\xED\xA0\x80"};
  const Pair cases[] = {
      {"a\xF0\x9F\x98\x80z", "a?z"},              // emoji: one character, one "?"
      {"\xC3\xA9t\xC3\xA9", "?t?"},               // é is not in the code page
      {"位\xE2\x82\xAC置", "\x88\xCA?\x92\x75"},  // euro sign between kanji
      {"x\xFFy", "x?y"},                          // stray byte
      {"\xE3\x81", "??"},                         // sequence cut short at the end
      {"\xED\xA0\x80", "?"},                      // encoded surrogate
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(Utf8ToCp932(cases[i].utf8), cases[i].cp932) << cases[i].cp932;
    EXPECT_EQ(FirstCharNotInCp932(cases[i].utf8), firstFailing[i]) << cases[i].cp932;
  }
}

TEST(Codepage932, InvalidBytesDecodeAsReplacementCharacters) {
  const Pair cases[] = {
      {"a\xEF\xBF\xBD"
       "b",
       "a\x80"
       "b"},                       // byte no character starts with
      {"\xEF\xBF\xBD", "\x81"},    // lead byte at the very end
      {"\xEF\xBF\xBD=", "\x81="},  // lead byte without a trail byte
      {"[\xEF\xBF\xBD"
       "a",
       "[\x85\x5D"
       "a"},  // unassigned pair: one character, no "]"
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

// Characters the C library converts one way only: written, they would come back as another
// character (a "\\" that reads as a path separator), so they count as not in the code page.
TEST(Codepage932, OneWayCharactersAreNotRepresentable) {
  const char* oneWay[] = {"¥", "‾", "\u301C", "‖", "−", "—", "¢", "£", "¬"};
  for (const char* c : oneWay) {
    EXPECT_EQ(Utf8ToCp932(std::string("a") + c + "b"), "a?b") << c;
    EXPECT_EQ(FirstCharNotInCp932(std::string("ok") + c), c) << c;
  }
}

std::string Utf8(char32_t c) {
  if (c < 0x80) return std::string(1, static_cast<char>(c));
  const int trail = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
  std::string out(1, static_cast<char>((trail == 1 ? 0xC0 : trail == 2 ? 0xE0 : 0xF0) | c >> 6 * trail));
  for (int i = trail - 1; i >= 0; --i) out += static_cast<char>(0x80 | (c >> 6 * i & 0x3F));
  return out;
}

// Whatever the encoder accepts, the decoder gives back: every code point, one at a time.
TEST(Codepage932, EveryEncodableCharacterDecodesToItself) {
  int encodable = 0;
  for (char32_t c = 1; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const std::string utf8 = Utf8(c);
    if (FirstCharNotInCp932(utf8)) {
      EXPECT_EQ(Utf8ToCp932(utf8), "?") << std::hex << static_cast<std::uint32_t>(c);
      continue;
    }
    ++encodable;
    ASSERT_EQ(Cp932ToUtf8(Utf8ToCp932(utf8)), utf8) << std::hex << static_cast<std::uint32_t>(c);
  }
  EXPECT_GT(encodable, 7000);
}

// Test files are written as UTF-8 here and stored as code page 932.
ProfileFile Parse(const std::string& utf8) {
  return ProfileFile::parse(Utf8ToCp932(utf8));
}
std::string Text(const ProfileFile& file) {
  return Cp932ToUtf8(file.bytes());
}

TEST(ProfileFileRead, FindsValuesAsTheProfileFunctionsDo) {
  std::string longValue;  // whole and unsplit: odd byte positions for every kana
  for (int i = 0; i < 3000; ++i) longValue += i % 2 ? "ア" : "x";
  const ProfileFile file = Parse(
      "stray=before any section\r\n; comment=not a key\r\n"
      "[ｳｨﾝﾄﾞｳ位置]\r\nfrmMain.Left=975\r\n  FRMMAIN.TOP  =  \t600 \t\r\n;frmMain.Width=1\r\njust text\r\n"
      "[ url ]\ncmbB.List0=\"quoted\"\ncmbB.List1=\ncmbB.List2=a=b\ncmbB.List0=second copy\n"
      "[記号]trailing text\r\ncmbK.List0=-\r\n[URL]\r\ncmbB.List3=duplicate section\r\n"
      "[ソゾ]\r\n表=kanji key\r\n[long]\r\nk=" +
      longValue + "\r\n");
  const struct {
    const char *section, *key, *value;
  } cases[] = {
      {"ｳｨﾝﾄﾞｳ位置", "frmMain.Left", "975"},
      {"ｳｨﾝﾄﾞｳ位置", "frmMain.Top", "600"},  // case, blanks ignored
      {"ｳｨﾝﾄﾞｳ位置", "frmMain.Width", ""},
      {"ｳｨﾝﾄﾞｳ位置", "; comment", ""},  // commented out
      {"ｳｨﾝﾄﾞｳ位置", "just text", ""},
      {"", "stray", ""},                    // no section holds it
      {"URL", "cmbB.List0", "\"quoted\""},  // quotes kept, first key wins
      {"url", "CMBB.LIST1", ""},            // empty reads like absent
      {"URL", "cmbB.List2", "a=b"},
      {"URL", "cmbB.List3", ""},  // first section wins
      {"記号", "cmbk.List0", "-"},
      {"ソゾ", "表", "kanji key"},  // 0x5C/0x5D trail bytes in names
      {"ｿｿﾞ", "表", ""},
      {"missing", "cmbB.List0", ""},  // half-width is another name
  };
  for (const auto& c : cases) EXPECT_EQ(file.read(c.section, c.key), c.value) << c.section << " " << c.key;
  EXPECT_EQ(file.read("long", "k"), longValue);
}

TEST(ProfileFileRead, InvalidBytesNeverBreakTheLineStructure) {
  // 0x85 0x5D is an unassigned pair: its second byte must not close the
  // header, so that line is no header and "k" stays in section "s".
  const char bytes[] =
      "[s]\r\n[\x85\x5D\r\nk=1\r\nv=a\x80"
      "b\x81\r\nbin\0ary=x\0y\r\n";
  const ProfileFile file = ProfileFile::parse(std::string_view(bytes, sizeof bytes - 1));
  EXPECT_EQ(file.read("s", "k"), "1");
  EXPECT_EQ(file.read("s", "v"),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD");
  EXPECT_EQ(file.read("s", std::string("bin\0ary", 7)), std::string("x\0y", 3));
}

TEST(ProfileFileBytes, UntouchedFileKeepsEveryByte) {
  const std::string inputs[] = {
      "",
      "\r\n\r\n",
      "[s]\nk=v",  // LF only, no final line end
      "; note\r\n[s]\r\n\r\nk = v \r\n\r\n[t]\r\nx\r\n",
      "\xFF\x81[\x83\x5D]\r\r\n\0\n=\n["s,  // the whole literal, NUL included
  };
  for (const std::string& input : inputs) EXPECT_EQ(ProfileFile::parse(input).bytes(), input);
}

TEST(ProfileFileWrite, ChangesOnlyTheLinesItConcerns) {
  const struct {
    const char *name, *before, *section, *key, *value, *after;
  } cases[] = {
      {"replace in place, other lines and line ends kept", "; c\n[S]\nA=1\nk = old \nB=2\n", "s", "K", "new",
       "; c\n[S]\nA=1\nK=new\r\nB=2\n"},
      {"append at the section end, before its blank lines", "[s]\r\na=1\r\n\r\n[t]\r\nb=2\r\n", "S", "c", "3",
       "[s]\r\na=1\r\nc=3\r\n\r\n[t]\r\nb=2\r\n"},
      {"append after a comment ending the section", "[s]\r\na=1\r\n;end\r\n", "s", "c", "3",
       "[s]\r\na=1\r\n;end\r\nc=3\r\n"},
      {"empty section gets the key right after its header", "[s]\r\n[t]\r\n", "s", "k", "v", "[s]\r\nk=v\r\n[t]\r\n"},
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
  for (const auto& c : cases) {
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
  ProfileFile file =
      Parse("top\r\n[URL]\r\ncmbB.List0=a\r\n; note\r\n\r\n[記号]\r\ncmbk.List0=-\r\n[url]\r\ncmbB.List5=old\r\n");
  file.deleteSection("Url");
  EXPECT_EQ(Text(file), "top\r\n[記号]\r\ncmbk.List0=-\r\n");
  EXPECT_EQ(file.read("URL", "cmbB.List5"), "");
  file.write("URL", "cmbB.List0", "b");
  file.deleteSection("missing");
  EXPECT_EQ(Text(file), "top\r\n[記号]\r\ncmbk.List0=-\r\n[URL]\r\ncmbB.List0=b\r\n");
}

// Hostile files: these must load, read and write back without a crash and in
// linear time (run time is watched by whoever runs the tests, not asserted).
// (8 MB under a sanitizer, 100 MB otherwise.)
TEST(ProfileFileHostile, HugeLineLoadsWhole) {
  const std::size_t size = (kSanitizedBuild ? 8u : 100u) << 20;
  std::string bytes = "[s]\r\nk=";
  bytes.append(size, '\x83');  // lead bytes pairing with each other
  bytes += "\r\nz=1\r\n";
  const ProfileFile file = ProfileFile::parse(bytes);
  EXPECT_EQ(file.read("s", "z"), "1");
  EXPECT_EQ(file.read("s", "k").size(), size / 2 * 3);  // 0x83 0x83 is ハ, 3 UTF-8 bytes
  EXPECT_EQ(file.bytes().size(), bytes.size());
}

TEST(ProfileFileHostile, HundredThousandKeysReadAndWriteQuickly) {
  std::string bytes = "[URL]\r\n";
  for (int i = 0; i < 100000; ++i) bytes += "cmbB.List" + std::to_string(i) + "=host" + std::to_string(i) + "\r\n";
  bytes += "[end]\r\n";
  ProfileFile file = ProfileFile::parse(bytes);
  for (int i = 0; i < 100000; ++i)
    ASSERT_EQ(file.read("url", "CMBB.LIST" + std::to_string(i)), "host" + std::to_string(i));
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

void Replace(const fs::path& path, std::string_view bytes) {
  ReplacedFile file(path);
  file.write(bytes);
  file.commit();
}

class TextFiles : public ::testing::Test {
 protected:
  long EntriesInDir() const { return std::distance(fs::directory_iterator(dir_), {}); }

  testing::TemporaryFolder folder_;
  const fs::path& dir_ = folder_.path();
};

TEST_F(TextFiles, FileExistsForFilesAndFoldersOnly) {
  testing::PutFileBytes(dir_ / "set.ini", "");
  fs::create_directory(dir_ / "folder");
  fs::create_symlink(dir_ / "nowhere", dir_ / "dangling");
  const std::pair<fs::path, bool> cases[] = {
      {dir_ / "set.ini", true},
      {dir_ / "folder", true},
      {dir_ / "missing", false},
      {dir_ / "dangling", false},
      {fs::path(), false},
      {dir_ / "set.ini" / "below", false},
      {fs::path(std::string(5000, 'a')), false},
  };
  for (const auto& [path, exists] : cases) EXPECT_EQ(FileExists(path), exists) << path;
}

TEST_F(TextFiles, ReplaceThroughLinksKeepsPermissionsAndLeavesNoTemporary) {
  const fs::path target = dir_ / "real.ini", link = dir_ / "link.ini";
  for (const std::string& bytes : {std::string("first\r\n"), std::string("a\0b", 3), std::string()}) {
    Replace(target, bytes);
    EXPECT_EQ(testing::FileBytes(target), bytes);
  }
  EXPECT_EQ(EntriesInDir(), 1);

  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  fs::create_symlink(target, link);
  Replace(link, "new");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(testing::FileBytes(target), "new");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(EntriesInDir(), 2);
}

// Anything but a regular file at the path, or at the end of its link, is not read as a profile;
// a pipe is refused without waiting for a writer.
TEST_F(TextFiles, SpecialFilesAreNotReadAsProfiles) {
  ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0644), 0);
  const int unixSocket = testing::BindUnixSocket(dir_ / "socket");
  ASSERT_GE(unixSocket, 0);
  fs::create_directory(dir_ / "folder");
  for (const char* name : {"fifo", "socket", "folder"}) fs::create_symlink(dir_ / name, dir_ / (name + "-link"s));

  const std::pair<const char*, FileKind> cases[] = {
      {"fifo", FileKind::NamedPipe},      {"socket", FileKind::Socket},      {"folder", FileKind::Folder},
      {"fifo-link", FileKind::NamedPipe}, {"socket-link", FileKind::Socket}, {"folder-link", FileKind::Folder},
  };
  for (const auto& [name, kind] : cases) {
    SCOPED_TRACE(name);
    std::error_code error;
    EXPECT_FALSE(ProfileFile::loadFile(dir_ / name, &error));
    EXPECT_EQ(error, kind);
  }
  ::close(unixSocket);
  EXPECT_EQ(EntriesInDir(), 6);  // no temporary left

  // A regular file whose read fails: /proc/self/mem reads EIO at address 0.
  fs::create_symlink("/proc/self/mem", dir_ / "unreadable");
  std::error_code error;
  EXPECT_FALSE(ProfileFile::loadFile(dir_ / "unreadable", &error));
  EXPECT_EQ(error, std::make_error_code(std::errc::io_error));
}

// A loaded profile keeps the file's bytes itself: later changes to the file, or writes to a
// copy of the profile, leave what it read as it was.
TEST_F(TextFiles, LoadedProfileKeepsEveryByteOfItsOwn) {
  const std::string inputs[] = {
      "",
      "[s]\nk=v",
      "; note\r\n[s]\r\n\r\nk = v \r\n\r\n[t]\r\nx\r\n",
      "\xFF\x81[\x83\x5D]\r\r\n\0\n=\n["s,
      "[s]\r\nk=" + std::string(3u << 20, 'h') + "\r\n",
  };
  for (const std::string& input : inputs) {
    SCOPED_TRACE(input.substr(0, 40));
    testing::PutFileBytes(dir_ / "set.ini", input);
    const auto loaded = ProfileFile::loadFile(dir_ / "set.ini");
    ASSERT_TRUE(loaded);
    testing::PutFileBytes(dir_ / "set.ini", "[s]\r\nk=changed\r\n");
    ProfileFile copy = *loaded;
    copy.write("s", "k", "new");
    copy.write("added", "a", "1");
    EXPECT_EQ(loaded->bytes(), input);
    EXPECT_EQ(copy.read("s", "k"), "new");
    EXPECT_EQ(ProfileFile::parse(copy.bytes()).read("added", "a"), "1");
  }
}

// A save killed while writing (here by the file size limit) leaves no temporary behind.
TEST_F(TextFiles, KilledWriteLeavesNoTemporary) {
  const int probe = ::open(dir_.c_str(), O_TMPFILE | O_WRONLY, 0600);
  if (probe < 0) GTEST_SKIP() << "the file system of " << dir_ << " has no unnamed temporary files";
  ::close(probe);
  testing::PutFileBytes(dir_ / "set.ini", "old");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const rlimit noCore{0, 0}, small{1 << 20, 1 << 20};
    ::setrlimit(RLIMIT_CORE, &noCore);
    ::setrlimit(RLIMIT_FSIZE, &small);
    Replace(dir_ / "set.ini", std::string(4 << 20, 'x'));
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "status " << status;
  EXPECT_EQ(testing::FileBytes(dir_ / "set.ini"), "old");
  EXPECT_EQ(EntriesInDir(), 1);
}

TEST_F(TextFiles, StaleTemporariesOfOurOwnPatternAreRemoved) {
  const fs::path target = dir_ / "set.ini";
  const auto twoMinutesAgo = fs::file_time_type::clock::now() - std::chrono::minutes(2);
  const struct {
    const char* name;
    bool old, removed;
  } files[] = {
      {".set.ini.0123abcd", true, true}, {".set.ini.0123abcd.x", true, false}, {".set.ini.0123ABCD", true, false},
      {".set.ini.0123abc", true, false}, {".other.ini.0123abcd", true, false}, {".set.ini.89abcdef", false, false},
      {"set.ini", true, false},
  };
  for (const auto& f : files) {
    testing::PutFileBytes(dir_ / f.name, "x");
    if (f.old) fs::last_write_time(dir_ / f.name, twoMinutesAgo);
  }
  fs::create_directory(dir_ / ".set.ini.fedcba98");
  fs::last_write_time(dir_ / ".set.ini.fedcba98", twoMinutesAgo);
  RemoveStaleTemporaries(target);
  for (const auto& f : files) EXPECT_EQ(fs::exists(dir_ / f.name), !f.removed) << f.name;
  EXPECT_TRUE(fs::is_directory(dir_ / ".set.ini.fedcba98"));
}

}  // namespace
}  // namespace serialix
