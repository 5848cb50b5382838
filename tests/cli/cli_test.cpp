// serialix-list as a user runs it: exit statuses, messages, options.
#include <gtest/gtest.h>

#include <string>

#include "run_program.h"

namespace serialix {
namespace {

using testing::FileBytes;
using testing::Quoted;
using testing::RunShell;

const std::string kProgram = SERIALIX_LIST_PATH;

testing::ProgramResult List(const std::string& args, const std::string& input = "") {
  return RunShell(Quoted(kProgram) + " " + args, input);
}

TEST(SerialixList, WritesAddressesAndAnswersOptions) {
  const struct {
    const char* args;
    const char* input;
    const char* out;
  } rows[] = {
      {"'h/[7-9@a]x[6-8@a]y[35-33@a]'", "", "h/7x6y35\nh/8x7y34\nh/9x8y33\n"},
      {"'a[1-2]' - 'c'", "b{x,y}\r\n\nd\n", "a1\na2\nbx\nby\nd\nc\n"},
      {"--crlf -- '-[1-2]'", "", "-1\r\n-2\r\n"},
      {"--count 'x/[1-1000000000000][0-999999999999]' '{a,b}'", "", "1000000000000000000000002\n"},
      {"--first 'x/[1-1000000000000][0-999999999999]'", "", "x/10\n"},
      {"--last 'x/[1-1000000000000][0-999999999999]'", "", "x/1000000000000999999999999\n"},
      {"--encoding=cp932 --first 'x{a,\xC3\xBC}'", "", "xa\n"},  // only the address written is checked
      {"--encoding=cp932 '\xE6\x97\xA5[1-2]'", "",
       "\x93\xFA"
       "1\n\x93\xFA"
       "2\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args);
    const auto result = List(row.args, row.input);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, row.out);
    EXPECT_EQ(result.err, "");
  }
  EXPECT_EQ(List("--version").out.rfind("serialix-list (Serialix) ", 0), 0u);
  EXPECT_NE(List("-h").out.find("Usage: serialix-list [OPTION]... PATTERN..."), std::string::npos);
}

TEST(SerialixList, RefusesWithStatusAndOneLineMessage) {
  const struct {
    const char* args;
    int status;
    const char* err;
  } rows[] = {
      {"'ok[1-2]' 'http://x/a[1-2'", 2, "serialix-list: bad range at column 14 of pattern \"http://x/a[1-2\"\n"},
      {"'[1-3@a][1-2@a]'", 2,
       "serialix-list: lockstep ranges of unequal length at column 8 of pattern \"[1-3@a][1-2@a]\"\n"},
      {"--encoding=cp932 'x{a,\xC3\xBC}[1-3]'", 1,
       "serialix-list: line 4 of pattern \"x{a,\xC3\xBC}[1-3]\" holds \"\xC3\xBC\", which code page 932 cannot "
       "hold; nothing written\n"},
      {"-o /proc/self 'a'", 1, nullptr},
      {"--bogus 'a'", 2, nullptr},
      {"", 2, nullptr},
      {"--count --first a", 2, nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args);
    const auto result = List(row.args);
    EXPECT_EQ(result.status, row.status);
    EXPECT_EQ(result.out, "");
    if (row.err != nullptr) {
      EXPECT_EQ(result.err, row.err);
    }
    EXPECT_NE(result.err, "");
  }
}

TEST(SerialixList, OutputFileReplacedWholeAndClosedPipeQuiet) {
  testing::TemporaryFolder folder;
  const auto file = folder.path() / "list.txt";
  testing::PutFileBytes(file, "old\n");
  EXPECT_EQ(List("-o " + Quoted(file.string()) + " 'n[1-3]'").status, 0);
  EXPECT_EQ(FileBytes(file), "n1\nn2\nn3\n");
  EXPECT_EQ(List("-o " + Quoted(file.string()) + " 'n[1-3' ").status, 2);
  EXPECT_EQ(FileBytes(file), "n1\nn2\nn3\n");  // a refused pattern leaves the file alone
  EXPECT_EQ(List("-o /dev/null 'n[1-3]'").status, 0);

  // 10^12 addresses into `head`: the program must end at once, quietly, on the closed pipe.
  const auto piped =
      RunShell("timeout 20 " + Quoted(kProgram) + " 'x[1-1000000000000]' | head -n 2; echo \"${PIPESTATUS[0]}\"");
  EXPECT_EQ(piped.out, "x1\nx2\n0\n");
  EXPECT_EQ(piped.err, "");
}

}  // namespace
}  // namespace serialix
