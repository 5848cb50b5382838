#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/text/atomic_file.h"
#include "platform/text/file_exists.h"

namespace serialix {
namespace {

namespace fs = std::filesystem;

class TextFiles : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("serialix-files-" + std::to_string(::getpid()) + "-" +
                                        testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void Put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  int EntriesInDir() const { return static_cast<int>(std::distance(fs::directory_iterator(dir_), {})); }

  fs::path dir_;
};

TEST_F(TextFiles, FileExistsForFilesAndFoldersOnly) {
  Put(dir_ / "set.ini", "");
  fs::create_directory(dir_ / "folder");
  fs::create_symlink(dir_ / "nowhere", dir_ / "dangling");
  struct Case {
    fs::path path;
    bool exists;
  };
  const Case cases[] = {
      {dir_ / "set.ini", true},  {dir_ / "folder", true},   {dir_ / "missing", false},
      {dir_ / "dangling", false}, {fs::path(), false},      {dir_ / "set.ini" / "below", false},
      {fs::path(std::string(5000, 'a')), false},
  };
  for (const Case& c : cases) EXPECT_EQ(FileExists(c.path), c.exists) << c.path;
}

TEST_F(TextFiles, AtomicWriteCreatesAndReplacesLeavingNoTemporary) {
  const fs::path target = dir_ / "set.ini";
  ASSERT_TRUE(WriteFileAtomically(target, "first\r\n"));
  EXPECT_EQ(Slurp(target), "first\r\n");
  ASSERT_TRUE(WriteFileAtomically(target, std::string("a\0b", 3)));
  EXPECT_EQ(Slurp(target), std::string("a\0b", 3));
  ASSERT_TRUE(WriteFileAtomically(target, ""));
  EXPECT_EQ(fs::file_size(target), 0u);
  EXPECT_EQ(EntriesInDir(), 1);
}

TEST_F(TextFiles, AtomicWriteKeepsPermissionsAndFollowsLinks) {
  const fs::path target = dir_ / "real.ini";
  Put(target, "old");
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  fs::create_symlink(target, dir_ / "link.ini");
  ASSERT_TRUE(WriteFileAtomically(dir_ / "link.ini", "new"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.ini"));
  EXPECT_EQ(Slurp(target), "new");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(TextFiles, FailedAtomicWriteReportsAndLeavesEverythingAsItWas) {
  fs::create_directory(dir_ / "taken");
  Put(dir_ / "taken" / "inside", "keep");
  struct Case {
    fs::path target;
    const char* why;
  };
  const Case cases[] = {
      {dir_ / "missing" / "set.ini", "No such file"},
      {dir_ / "taken", "directory"},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(c.target, "data", &error));
    EXPECT_NE(error.find(c.target.string()), std::string::npos) << error;
    EXPECT_NE(error.find(c.why), std::string::npos) << error;
  }
  EXPECT_EQ(Slurp(dir_ / "taken" / "inside"), "keep");
  EXPECT_EQ(EntriesInDir(), 1);
}

}  // namespace
}  // namespace serialix
