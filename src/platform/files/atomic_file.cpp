#include "platform/files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>
#include <system_error>

namespace serialix {
namespace {

namespace fs = std::filesystem;

// A file descriptor that is closed whatever way the function leaves.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  Descriptor& operator=(Descriptor&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
  }

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now; a write error the kernel held back shows here.
  bool close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0;
  }

 private:
  int fd_;
};

// A named temporary that is removed unless it has been renamed into place.
class NamedTemporary {
 public:
  NamedTemporary() = default;
  ~NamedTemporary() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  NamedTemporary(const NamedTemporary&) = delete;
  NamedTemporary& operator=(const NamedTemporary&) = delete;

  void name(std::string path) { path_ = std::move(path); }
  const std::string& path() const { return path_; }
  void release() { path_.clear(); }

 private:
  std::string path_;
};

constexpr std::size_t kSuffixDigits = 8;

std::string TemporaryPrefix(const fs::path& target) {
  std::string prefix(1, '.');
  prefix += target.filename().string();
  prefix += '.';
  return prefix;
}

std::string TemporaryPath(const fs::path& folder, const fs::path& target, std::random_device& random) {
  char suffix[kSuffixDigits + 1];
  std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(random()));
  return (folder / (TemporaryPrefix(target) + suffix)).string();
}

bool IsTemporaryName(const std::string& name, const std::string& prefix) {
  if (name.size() != prefix.size() + kSuffixDigits || name.compare(0, prefix.size(), prefix) != 0) return false;
  for (std::size_t i = prefix.size(); i < name.size(); ++i) {
    const char c = name[i];
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

bool Fail(std::string* error, int code) {
  if (error != nullptr) *error = std::strerror(code);
  return false;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The target a write replaces: a symbolic link is followed to its end.
fs::path ResolvedTarget(const fs::path& requested) {
  std::error_code ec;
  if (fs::is_symlink(requested, ec)) {
    const auto resolved = fs::weakly_canonical(requested, ec);
    if (!ec) return resolved;
  }
  return requested;
}

fs::path FolderOf(const fs::path& path) {
  fs::path folder = path.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

}  // namespace

std::string NotRegularFileReason() {
  return "通常のﾌｧｲﾙではありません";
}

bool WriteFileAtomically(const fs::path& requested, std::string_view bytes, std::string* error) {
  struct stat existing {};
  const bool exists = ::stat(requested.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) {
    if (error != nullptr) *error = NotRegularFileReason();
    return false;
  }
  const fs::path path = ResolvedTarget(requested);
  const fs::path folder = FolderOf(path);
  std::random_device random;

  // Created with 0666 so the umask applies as for any new file. An unnamed file needs
  // /proc/self/fd to be given a name later without extra privileges.
  NamedTemporary named;
  Descriptor file;
  if (::access("/proc/self/fd", X_OK) == 0) {
    file = Descriptor(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
  }
  const bool unnamed = file.valid();
  for (int attempt = 0; !unnamed && attempt < 100; ++attempt) {
    std::string temp = TemporaryPath(folder, path, random);
    file = Descriptor(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (file.valid()) {
      named.name(std::move(temp));
      break;
    }
    if (errno != EEXIST) break;
  }
  if (!file.valid()) return Fail(error, errno);

  if (exists && ::fchmod(file.get(), existing.st_mode & 07777) != 0) return Fail(error, errno);
  if (!WriteAll(file.get(), bytes)) return Fail(error, errno);
  if (::fsync(file.get()) != 0) return Fail(error, errno);
  if (unnamed) {
    // linkat cannot replace a file, so the complete file gets a fresh name first.
    char self[64];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", file.get());
    for (int attempt = 0; named.path().empty() && attempt < 100; ++attempt) {
      std::string temp = TemporaryPath(folder, path, random);
      if (::linkat(AT_FDCWD, self, AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        named.name(std::move(temp));
      } else if (errno != EEXIST) {
        return Fail(error, errno);
      }
    }
    if (named.path().empty()) return Fail(error, EEXIST);
  }
  if (!file.close()) return Fail(error, errno);
  if (::rename(named.path().c_str(), path.c_str()) != 0) return Fail(error, errno);
  named.release();

  // Make the rename itself durable; the data is already safe if this fails.
  const Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.valid()) ::fsync(dir.get());
  return true;
}

void RemoveStaleTemporaries(const fs::path& requested, std::chrono::seconds age) {
  const fs::path path = ResolvedTarget(requested);
  const std::string prefix = TemporaryPrefix(path);
  const std::time_t before = std::time(nullptr) - static_cast<std::time_t>(age.count());
  std::error_code ec;
  for (fs::directory_iterator it(FolderOf(path), ec), end; !ec && it != end; it.increment(ec)) {
    if (!IsTemporaryName(it->path().filename().string(), prefix)) continue;
    struct stat info {};
    if (::lstat(it->path().c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_mtime < before) {
      ::unlink(it->path().c_str());
    }
  }
}

}  // namespace serialix
