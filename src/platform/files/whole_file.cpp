#include "platform/files/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/files/file_kind.h"
#include "platform/files/huge_pages.h"
#include "platform/files/unique_fd.h"

namespace serialix {

std::optional<WholeFile> ReadWholeFile(const std::filesystem::path& path, std::error_code* error) {
  auto fail = [error](std::error_code reason) {
    if (error != nullptr) *error = reason;
    return std::nullopt;
  };
  auto failWithErrno = [&fail](int code) { return fail(std::error_code(code, std::generic_category())); };
  // Only regular files: opening a pipe would wait for a writer.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return failWithErrno(errno);
  if (!S_ISREG(info.st_mode)) return fail(FileKindOf(info.st_mode));
  const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!fd) return failWithErrno(errno);
  // Read into a buffer that is never zeroed first: the file may be a hundred megabytes.
  std::size_t capacity = 0;
  WholeFile file;
  int code = 0;
  if (::fstat(fd.get(), &info) != 0) {
    code = errno;
  } else if (!S_ISREG(info.st_mode)) {  // replaced since the check above
    return fail(FileKindOf(info.st_mode));
  } else {
    capacity = static_cast<std::size_t>(info.st_size) + 1;  // one more byte sees the end at once
    file.bytes = std::make_unique_for_overwrite<char[]>(capacity);
    AdviseHugePages(file.bytes.get(), capacity);
    for (;;) {
      if (file.size == capacity) {  // the file has grown since fstat
        auto larger = std::make_unique_for_overwrite<char[]>(capacity * 2);
        std::copy(file.bytes.get(), file.bytes.get() + file.size, larger.get());
        file.bytes = std::move(larger);
        capacity *= 2;
      }
      const ssize_t got = ::read(fd.get(), file.bytes.get() + file.size, capacity - file.size);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) code = errno;
      if (got <= 0) break;
      file.size += static_cast<std::size_t>(got);
    }
  }
  if (code != 0) return failWithErrno(code);
  return file;
}

}  // namespace serialix
