#include "platform/text/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>

namespace serialix {
namespace {

bool Fail(std::string* error, const std::filesystem::path& path, int code) {
  if (error != nullptr) *error = path.string() + ": " + std::strerror(code);
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

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& requested, std::string_view bytes,
                         std::string* error) {
  std::error_code ec;
  std::filesystem::path path = requested;
  if (std::filesystem::is_symlink(requested, ec)) {
    const auto resolved = std::filesystem::weakly_canonical(requested, ec);
    if (!ec) path = resolved;
  }

  std::filesystem::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  // Created with 0666 so the umask applies as for any new file; an existing
  // file's permission bits are copied over below.
  std::string temp;
  int fd = -1;
  std::random_device random;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x", static_cast<unsigned>(random()));
    std::string name = ".";
    name += path.filename().string();
    name += suffix;
    temp = (folder / name).string();
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return Fail(error, path, errno);

  auto abandon = [&](int code) {
    ::close(fd);
    ::unlink(temp.c_str());
    return Fail(error, path, code);
  };

  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode) &&
      ::fchmod(fd, existing.st_mode & 07777) != 0) {
    return abandon(errno);
  }
  if (!WriteAll(fd, bytes)) return abandon(errno);
  if (::fsync(fd) != 0) return abandon(errno);
  if (::close(fd) != 0) {
    const int code = errno;
    ::unlink(temp.c_str());
    return Fail(error, path, code);
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int code = errno;
    ::unlink(temp.c_str());
    return Fail(error, path, code);
  }
  // Make the rename itself durable; the data is already safe if this fails.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

}  // namespace serialix
