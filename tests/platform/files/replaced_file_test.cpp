#include "platform/files/replaced_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>  // unshare
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/files/file_kind.h"
#include "platform/files/unique_fd.h"
#include "support/files.h"

namespace serialix {
namespace {

namespace fs = std::filesystem;
using Target = ReplacedFile::Target;

// Every entry of a folder with its type and, for regular files, its bytes: what "nothing
// changed" means.
std::map<std::string, std::string> Listing(const fs::path& folder) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : fs::directory_iterator(folder)) {
    entries[entry.path().filename().string()] = std::to_string(static_cast<int>(entry.symlink_status().type())) +
                                                (entry.is_regular_file() ? testing::FileBytes(entry.path()) : "");
  }
  return entries;
}

// Writes and commits; the code of the failure, or nothing.
std::optional<std::error_code> Replace(const fs::path& path, const std::string& bytes, Target* target = nullptr) {
  try {
    ReplacedFile file(path);
    if (target) *target = file.target();
    file.write(bytes);
    file.commit();
    return std::nullopt;
  } catch (const std::system_error& failure) {
    EXPECT_NE(std::string(failure.what()).find(path.string()), std::string::npos) << failure.what();
    return failure.code();
  }
}

class ReplacedFileTest : public ::testing::Test {
 protected:
  testing::TemporaryFolder folder_;
  const fs::path& dir_ = folder_.path();
};

// A new file or the missing end of a link is created; a pipe or character device (or a link to
// one) is written into and stays what it was. (Replacing a file: TextFiles tests.)
TEST_F(ReplacedFileTest, NewFilesAreCreatedAndStreamsWrittenInto) {
  fs::create_symlink("made-through-link", dir_ / "dangling");
  ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0600), 0);
  fs::create_symlink(dir_ / "fifo", dir_ / "fifo-link");
  // A device node of our own where we may make one (root), else the system's.
  const bool ownNode = ::mknod((dir_ / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
  fs::create_symlink(ownNode ? dir_ / "null" : fs::path("/dev/null"), dir_ / "device-link");
  const std::tuple<const char*, Target, const char*> cases[] = {
      {"new", Target::NewFile, "new"},     {"dangling", Target::NewFile, "made-through-link"},
      {"fifo", Target::Stream, "fifo"},    {"fifo-link", Target::Stream, "fifo"},
      {"device-link", Target::Stream, ""},  // where the bytes go: a file, the pipe, or nowhere
  };
  const UniqueFd reader(::open((dir_ / "fifo").c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  for (const auto& [name, kind, into] : cases) {
    SCOPED_TRACE(name);
    const auto before = fs::symlink_status(dir_ / name).type();
    const std::string bytes = std::string("bytes for ") + name;
    EXPECT_EQ(ReplacedFile::Inspect(dir_ / name), kind);
    Target target{};
    ASSERT_EQ(Replace(dir_ / name, bytes, &target), std::nullopt);
    EXPECT_EQ(target, kind);
    // A stream stays what it was; a file holds the bytes; the pipe passes them on.
    EXPECT_TRUE(kind != Target::Stream || fs::symlink_status(dir_ / name).type() == before);
    std::string got(64, '\0');
    const bool piped = into == std::string("fifo");
    got.resize(piped ? static_cast<std::size_t>(std::max<ssize_t>(0, ::read(reader.get(), got.data(), 64))) : 0);
    EXPECT_EQ(piped ? got : into[0] ? testing::FileBytes(dir_ / into) : bytes, bytes);
  }
  EXPECT_TRUE(!ownNode || fs::status(dir_ / "null").type() == fs::file_type::character);
  EXPECT_EQ(Listing(dir_).size(), ownNode ? 7u : 6u);  // no temporary left
}

// Anything else is refused before anything changes, with the path and the reason.
TEST_F(ReplacedFileTest, OtherTargetsAreRefusedAndNothingChanges) {
  fs::create_directory(dir_ / "folder");
  testing::PutFileBytes(dir_ / "folder" / "inside", "keep");
  fs::create_symlink(dir_ / "folder", dir_ / "folder-link");
  fs::create_symlink(dir_ / "missing" / "x.txt", dir_ / "into-missing");
  ASSERT_EQ(::mkfifo((dir_ / "unread-fifo").c_str(), 0600), 0);
  const int unixSocket = testing::BindUnixSocket(dir_ / "socket");
  ASSERT_GE(unixSocket, 0);
  // A block device node of our own (never opened) where we may make one.
  const bool blockNode = ::mknod((dir_ / "block").c_str(), S_IFBLK | 0600, makedev(7, 250)) == 0;

  std::vector<std::pair<const char*, std::error_code>> cases = {
      {"folder", FileKind::Folder},
      {"folder-link", FileKind::Folder},
      {"socket", FileKind::Socket},
      {"into-missing", std::make_error_code(std::errc::no_such_file_or_directory)},
      {"missing/x.txt", std::make_error_code(std::errc::no_such_file_or_directory)},
      {"folder/inside/x", std::make_error_code(std::errc::not_a_directory)},
      {"unread-fifo", std::make_error_code(std::errc::no_such_device_or_address)},  // at once, no hang
  };
  if (blockNode) cases.emplace_back("block", FileKind::BlockDevice);
  const auto before = Listing(dir_);
  for (const auto& [name, why] : cases) {
    SCOPED_TRACE(name);
    if (why != std::errc::no_such_device_or_address) {
      EXPECT_THROW(ReplacedFile::Inspect(dir_ / name), std::system_error);
    }
    EXPECT_EQ(Replace(dir_ / name, "data"), why);
  }
  ::close(unixSocket);
  EXPECT_EQ(Listing(dir_), before);
  EXPECT_EQ(testing::FileBytes(dir_ / "folder" / "inside"), "keep");
}

// A reader that goes away gives EPIPE, not a signal that ends the program. (A full device: the
// export's tests.)
TEST_F(ReplacedFileTest, AReaderThatLeavesGivesBrokenPipe) {
  ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0600), 0);
  UniqueFd reader(::open((dir_ / "fifo").c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  ReplacedFile file(dir_ / "fifo");
  reader.reset();
  std::error_code code;
  try {
    file.write("gone");
  } catch (const std::system_error& failure) {
    code = failure.code();
  }
  EXPECT_EQ(code, std::errc::broken_pipe);
}

// The errors a full, read-only or forbidden place gives, made for real in a child process: as
// root a small tmpfs in a mount namespace of its own, and a user without rights for EACCES.
TEST_F(ReplacedFileTest, FullReadOnlyAndForbiddenPlacesGiveTheirErrno) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to mount a small tmpfs and to change user";
  fs::permissions(dir_, fs::perms::all);
  for (const char* name : {"small", "readonly", "forbidden"}) fs::create_directories(dir_ / name);
  testing::PutFileBytes(dir_ / "forbidden" / "old.txt", "old");
  fs::permissions(dir_ / "forbidden" / "old.txt", fs::perms::all);
  fs::permissions(dir_ / "forbidden", fs::perms::all & ~(fs::perms::group_write | fs::perms::others_write));
  // The child exits with the errno of the write (0: written, 255: could not set up).
  auto inChild = [&](const auto& setUp, const fs::path& path, std::size_t size) {
    const pid_t child = ::fork();
    if (child == 0) {
      if (!setUp()) ::_exit(255);
      const auto error = Replace(path, std::string(size, 'x'));
      ::_exit(error ? error->value() : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  auto privateMount = [&](const char* name, unsigned long flags) {
    return [this, name, flags] {
      return ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
             ::mount("tmpfs", (dir_ / name).c_str(), "tmpfs", flags, "size=64k") == 0;
    };
  };
  const auto otherUser = [] { return ::setgid(65534) == 0 && ::setuid(65534) == 0; };
  const int forbidden = inChild(otherUser, dir_ / "forbidden" / "old.txt", 10);
  EXPECT_EQ(forbidden, EACCES);
  EXPECT_EQ(testing::FileBytes(dir_ / "forbidden" / "old.txt"), "old");
  const int readOnly = inChild(privateMount("readonly", MS_RDONLY), dir_ / "readonly" / "new.txt", 10);
  const int full = inChild(privateMount("small", 0), dir_ / "small" / "new.txt", 1 << 20);
  if (readOnly == 255 || full == 255) GTEST_SKIP() << "no mount namespace here";
  EXPECT_EQ(readOnly, EROFS);
  EXPECT_EQ(full, ENOSPC);
}

}  // namespace
}  // namespace serialix
