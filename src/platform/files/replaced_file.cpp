#include "platform/files/replaced_file.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <random>
#include <system_error>

#include "platform/files/file_kind.h"

namespace serialix {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kSuffixDigits = 8;
constexpr int kMaxLinks = 40;  // as the kernel's own limit before ELOOP

[[noreturn]] void Throw(int code, const fs::path& path) {
  throw std::system_error(code, std::generic_category(), path.string());
}

std::string TemporaryPrefix(const fs::path& target) {
  std::string prefix(1, '.');  // built step by step: GCC 12 warns on "." + name + "."
  prefix += target.filename().string();
  prefix += '.';
  return prefix;
}

std::string TemporaryPath(const fs::path& target, std::random_device& random) {
  char suffix[kSuffixDigits + 1];
  std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(random()));
  return (target.parent_path() / (TemporaryPrefix(target) + suffix)).string();
}

bool IsTemporaryName(const std::string& name, const std::string& prefix) {
  if (name.size() != prefix.size() + kSuffixDigits || name.compare(0, prefix.size(), prefix) != 0) return false;
  for (std::size_t i = prefix.size(); i < name.size(); ++i) {
    const char c = name[i];
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

fs::path WithFolder(const fs::path& path) {
  return path.has_parent_path() ? path : fs::path(".") / path;
}

// The path a rename must replace: symbolic links followed to their end, even a dangling one.
fs::path FollowLinks(const fs::path& requested) {
  fs::path path = WithFolder(requested);
  for (int hops = 0; hops < kMaxLinks; ++hops) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::error_code error;
    const fs::path next = fs::read_symlink(path, error);
    if (error) Throw(error.value(), requested);
    path = WithFolder(next.is_absolute() ? next : path.parent_path() / next);
  }
  Throw(ELOOP, requested);
}

struct Resolved {
  ReplacedFile::Target target;
  fs::path destination;
  mode_t mode = 0;
};

Resolved Resolve(const fs::path& requested) {
  struct stat info {};
  if (::stat(requested.c_str(), &info) == 0) {
    if (S_ISREG(info.st_mode)) return {ReplacedFile::Target::RegularFile, FollowLinks(requested), info.st_mode};
    if (S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode)) return {ReplacedFile::Target::Stream, requested};
    throw std::system_error(FileKindOf(info.st_mode), requested.string());
  }
  if (errno != ENOENT) Throw(errno, requested);
  // Nothing there, or a link to nothing: a new file, when its folder exists.
  const fs::path destination = FollowLinks(requested);
  if (::stat(destination.parent_path().c_str(), &info) != 0) Throw(errno, requested);
  if (!S_ISDIR(info.st_mode)) Throw(ENOTDIR, requested);
  return {ReplacedFile::Target::NewFile, destination};
}

// SIGPIPE blocked for the calling thread while it lives; a SIGPIPE that a write raised meanwhile
// is taken back, so a reader that goes away shows as EPIPE instead of ending the program.
class PipeSignalBlocked {
 public:
  PipeSignalBlocked() {
    sigemptyset(&pipe_);
    sigaddset(&pipe_, SIGPIPE);
    sigset_t pending;
    sigpending(&pending);
    alreadyPending_ = sigismember(&pending, SIGPIPE) == 1;
    pthread_sigmask(SIG_BLOCK, &pipe_, &previous_);
  }
  ~PipeSignalBlocked() {
    sigset_t pending;
    sigpending(&pending);
    if (!alreadyPending_ && sigismember(&pending, SIGPIPE) == 1) {
      const timespec now{};
      sigtimedwait(&pipe_, nullptr, &now);
    }
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  PipeSignalBlocked(const PipeSignalBlocked&) = delete;
  PipeSignalBlocked& operator=(const PipeSignalBlocked&) = delete;

 private:
  sigset_t pipe_{}, previous_{};
  bool alreadyPending_ = false;
};

int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

}  // namespace

ReplacedFile::Target ReplacedFile::Inspect(const fs::path& target) {
  return Resolve(target).target;
}

ReplacedFile::ReplacedFile(const fs::path& requested) : requested_(requested) {
  const Resolved resolved = Resolve(requested);
  target_ = resolved.target;
  destination_ = resolved.destination;

  if (target_ == Target::Stream) {
    // Not blocking in open: a pipe without a reader fails with ENXIO instead of hanging.
    file_ = UniqueFd(::open(requested.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file_) fail(errno);
    struct stat info {};
    if (::fstat(file_.get(), &info) != 0) fail(errno);
    if (!S_ISFIFO(info.st_mode) && !S_ISCHR(info.st_mode)) {  // replaced since Resolve
      throw std::system_error(FileKindOf(info.st_mode), requested.string());
    }
    const int flags = ::fcntl(file_.get(), F_GETFL);
    if (flags < 0 || ::fcntl(file_.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) fail(errno);
    return;
  }

  // Created with 0666 so the umask applies as for any new file. An unnamed file needs
  // /proc/self/fd to be given a name later without extra privileges.
  const fs::path folder = destination_.parent_path();
  if (::access("/proc/self/fd", X_OK) == 0) {
    file_ = UniqueFd(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
  }
  std::random_device random;
  for (int attempt = 0; !file_ && attempt < 100; ++attempt) {
    std::string temporary = TemporaryPath(destination_, random);
    file_ = UniqueFd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (file_) {
      temporary_ = std::move(temporary);
    } else if (errno != EEXIST) {
      break;
    }
  }
  if (!file_) fail(errno);
  if (target_ == Target::RegularFile && ::fchmod(file_.get(), resolved.mode & 07777) != 0) fail(errno);
}

ReplacedFile::~ReplacedFile() {
  file_.reset();
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

void ReplacedFile::fail(int code) const {
  Throw(code, requested_);
}

void ReplacedFile::write(std::string_view bytes) {
  if (!file_) fail(EBADF);
  if (target_ == Target::Stream) {
    writeToStream(bytes);
  } else if (const int code = WriteAll(file_.get(), bytes)) {
    fail(code);
  }
}

void ReplacedFile::writeToStream(std::string_view bytes) {
  const PipeSignalBlocked blocked;
  if (const int code = WriteAll(file_.get(), bytes)) fail(code);
}

void ReplacedFile::commit() {
  if (!file_) fail(EBADF);
  if (target_ == Target::Stream) {
    if (::close(file_.release()) != 0) fail(errno);
    return;
  }
  if (::fsync(file_.get()) != 0) fail(errno);
  if (temporary_.empty()) {
    // linkat cannot replace a file, so the complete file gets a fresh name first.
    char self[64];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", file_.get());
    std::random_device random;
    for (int attempt = 0; temporary_.empty() && attempt < 100; ++attempt) {
      std::string temporary = TemporaryPath(destination_, random);
      if (::linkat(AT_FDCWD, self, AT_FDCWD, temporary.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        temporary_ = std::move(temporary);
      } else if (errno != EEXIST) {
        fail(errno);
      }
    }
    if (temporary_.empty()) fail(EEXIST);
  }
  // A write error the kernel held back shows at close.
  if (::close(file_.release()) != 0) fail(errno);
  if (::rename(temporary_.c_str(), destination_.c_str()) != 0) fail(errno);
  temporary_.clear();

  // Make the rename itself durable; the data is already safe if this fails.
  const UniqueFd folder(::open(destination_.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder) ::fsync(folder.get());
}

void RemoveStaleTemporaries(const fs::path& requested, std::chrono::seconds age) {
  fs::path path;
  try {
    path = FollowLinks(requested);
  } catch (const std::system_error&) {
    return;
  }
  const std::string prefix = TemporaryPrefix(path);
  const std::time_t before = std::time(nullptr) - static_cast<std::time_t>(age.count());
  std::error_code ec;
  for (fs::directory_iterator it(path.parent_path(), ec), end; !ec && it != end; it.increment(ec)) {
    if (!IsTemporaryName(it->path().filename().string(), prefix)) continue;
    struct stat info {};
    if (::lstat(it->path().c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_mtime < before) {
      ::unlink(it->path().c_str());
    }
  }
}

}  // namespace serialix
