#include "platform/files/replaced_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/files/file_kind.h"
#include "platform/text/unique_fd.h"
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
    const auto type = entry.symlink_status().type();
    entries[entry.path().filename().string()] =
        std::to_string(static_cast<int>(type)) +
        (type == fs::file_type::regular ? testing::FileBytes(entry.path()) : "");
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

// A file, a new file or the end of a link is replaced atomically; a pipe or character device
// (or a link to one) is written into and stays what it was.
TEST_F(ReplacedFileTest, FilesAreReplacedAndStreamsWrittenInto) {
  testing::PutFileBytes(dir_ / "file", "old content");
  ASSERT_EQ(::chmod((dir_ / "file").c_str(), 0640), 0);
  testing::PutFileBytes(dir_ / "linked", "old");
  fs::create_symlink("linked", dir_ / "file-link");
  fs::create_symlink("made-through-link", dir_ / "dangling");
  ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0600), 0);
  fs::create_symlink(dir_ / "fifo", dir_ / "fifo-link");
  // A device node of our own where we may make one (root), else the system's.
  const bool ownNode = ::mknod((dir_ / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
  fs::create_symlink(ownNode ? dir_ / "null" : fs::path("/dev/null"), dir_ / "device-link");

  const struct {
    const char* name;
    Target target;
    const char* written;  // the file that gets the bytes; nullptr for a stream
    fs::file_type typeAfter;
  } cases[] = {
      {"file", Target::RegularFile, "file", fs::file_type::regular},
      {"file-link", Target::RegularFile, "linked", fs::file_type::symlink},
      {"new", Target::NewFile, "new", fs::file_type::regular},
      {"dangling", Target::NewFile, "made-through-link", fs::file_type::symlink},
      {"fifo", Target::Stream, nullptr, fs::file_type::fifo},
      {"fifo-link", Target::Stream, nullptr, fs::file_type::symlink},
      {"device-link", Target::Stream, nullptr, fs::file_type::symlink},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path path = dir_ / c.name;
    const std::string bytes = std::string("new bytes for ") + c.name + "\r\n";
    const UniqueFd reader(::open((dir_ / "fifo").c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    EXPECT_EQ(ReplacedFile::Inspect(path), c.target);
    Target target{};
    ASSERT_EQ(Replace(path, bytes, &target), std::nullopt);
    EXPECT_EQ(target, c.target);
    EXPECT_EQ(fs::symlink_status(path).type(), c.typeAfter);
    if (c.written) {
      EXPECT_EQ(testing::FileBytes(dir_ / c.written), bytes);
    } else if (c.name[0] == 'f') {
      std::string got(256, '\0');
      got.resize(static_cast<std::size_t>(std::max<ssize_t>(0, ::read(reader.get(), got.data(), got.size()))));
      EXPECT_EQ(got, bytes);
    }
  }
  EXPECT_EQ(fs::status(dir_ / "file").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  if (ownNode) {
    EXPECT_EQ(fs::status(dir_ / "null").type(), fs::file_type::character);
  }
  EXPECT_EQ(Listing(dir_).size(), ownNode ? 10u : 9u);  // no temporary left
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
      try {
        ReplacedFile::Inspect(dir_ / name);
        ADD_FAILURE() << "Inspect accepted it";
      } catch (const std::system_error& refusal) {
        EXPECT_EQ(refusal.code(), why);
      }
    }
    EXPECT_EQ(Replace(dir_ / name, "data"), why);
  }
  ::close(unixSocket);
  EXPECT_EQ(Listing(dir_), before);
  EXPECT_EQ(testing::FileBytes(dir_ / "folder" / "inside"), "keep");
}

// Failures after the start carry the system's reason and leave the old file and no temporary:
// a device that is full, a reader that goes away (EPIPE, not a signal that ends the program),
// and a write that is never committed.
TEST_F(ReplacedFileTest, WriteFailuresCarryTheSystemsReason) {
  EXPECT_EQ(Replace("/dev/full", std::string(1 << 16, 'x')), std::make_error_code(std::errc::no_space_on_device));

  ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0600), 0);
  {
    UniqueFd reader(::open((dir_ / "fifo").c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    ReplacedFile file(dir_ / "fifo");
    reader.reset();
    try {
      file.write("gone");
      ADD_FAILURE() << "written without a reader";
    } catch (const std::system_error& failure) {
      EXPECT_EQ(failure.code(), std::errc::broken_pipe);
    }
  }

  testing::PutFileBytes(dir_ / "old.txt", "old");
  {
    ReplacedFile file(dir_ / "old.txt");
    file.write("never committed");
  }
  EXPECT_EQ(testing::FileBytes(dir_ / "old.txt"), "old");
  EXPECT_EQ(Listing(dir_).size(), 2u);
}

// The errors a full, read-only or forbidden place gives, made for real in a child process: as
// root a small tmpfs in a mount namespace of its own, and a user without rights for EACCES.
TEST_F(ReplacedFileTest, FullReadOnlyAndForbiddenPlacesGiveTheirErrno) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to mount a small tmpfs and to change user";
  fs::permissions(dir_, fs::perms::all);
  fs::create_directories(dir_ / "small");
  fs::create_directories(dir_ / "readonly");
  fs::create_directories(dir_ / "forbidden");
  testing::PutFileBytes(dir_ / "forbidden" / "old.txt", "old");
  fs::permissions(dir_ / "forbidden" / "old.txt", fs::perms::all);
  fs::permissions(dir_ / "forbidden", fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                          fs::perms::others_read | fs::perms::others_exec);

  auto inChild = [&](auto body) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(body());
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  // Each child exits with the errno of its failure, 0 when the write went through, 255 when
  // it could not set up.
  auto replaceErrno = [](const fs::path& path, std::size_t size) {
    const auto error = Replace(path, std::string(size, 'x'));
    return error ? error->value() : 0;
  };
  const int full = inChild([&] {
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tmpfs", (dir_ / "small").c_str(), "tmpfs", 0, "size=64k") != 0) {
      return 255;
    }
    testing::PutFileBytes(dir_ / "small" / "old.txt", "old");
    const int code = replaceErrno(dir_ / "small" / "old.txt", 1 << 20);
    const bool untouched = testing::FileBytes(dir_ / "small" / "old.txt") == "old" &&
                           std::distance(fs::directory_iterator(dir_ / "small"), {}) == 1;
    return untouched ? code : 254;
  });
  const int readOnly = inChild([&] {
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tmpfs", (dir_ / "readonly").c_str(), "tmpfs", MS_RDONLY, "size=64k") != 0) {
      return 255;
    }
    return replaceErrno(dir_ / "readonly" / "new.txt", 10);
  });
  const int forbidden = inChild([&] {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) return 255;
    return replaceErrno(dir_ / "forbidden" / "old.txt", 10);
  });
  if (full == 255 || readOnly == 255) GTEST_SKIP() << "no mount namespace here";
  EXPECT_EQ(full, ENOSPC);
  EXPECT_EQ(readOnly, EROFS);
  EXPECT_EQ(forbidden, EACCES);
  EXPECT_EQ(testing::FileBytes(dir_ / "forbidden" / "old.txt"), "old");
}

}  // namespace
}  // namespace serialix
