// The one way the program writes a file (set.ini and the exports alike).
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/files/unique_fd.h"

namespace serialix {

// Writes a file so that readers see either the old content or the complete new one.
//
// - A regular file (or a symbolic link to one, followed to its end) is replaced atomically:
//   the bytes go to a temporary in the same folder (unnamed through O_TMPFILE where the file
//   system has it, else ".<name>.<8 hex digits>"), which commit() flushes to disk and renames
//   over the target. The new file keeps the old one's permission bits.
// - A missing file in an existing folder (or the missing end of a link) is created the same way.
// - A named pipe or a character device (or a link to one) is written into directly, as
//   `cat > target` would, and never replaced. A pipe that nobody reads is refused at once
//   (ENXIO) instead of waiting for a reader, and a reader that goes away gives EPIPE, never
//   SIGPIPE.
// - Anything else (a folder, a block device, a socket, a missing folder) is refused before
//   anything changes, with a FileKind code or the system's errno.
//
// Every failure throws std::system_error whose what() names the path. Without commit() (an
// error, a cancel) the destructor removes the temporary and leaves the target untouched; no
// descriptor outlives the object.
class ReplacedFile {
 public:
  enum class Target { RegularFile, NewFile, Stream };  // Stream: a named pipe or character device

  // What writing to `target` would do; throws when it would be refused.
  static Target Inspect(const std::filesystem::path& target);

  explicit ReplacedFile(const std::filesystem::path& target);
  ~ReplacedFile();
  ReplacedFile(const ReplacedFile&) = delete;
  ReplacedFile& operator=(const ReplacedFile&) = delete;

  void write(std::string_view bytes);
  // Flushes, syncs and renames the temporary over the target; a stream is just closed.
  void commit();

  Target target() const { return target_; }

 private:
  [[noreturn]] void fail(int code) const;
  void writeToStream(std::string_view bytes);

  std::filesystem::path requested_;
  std::filesystem::path destination_;  // the path the rename replaces: links resolved
  Target target_;
  UniqueFd file_;
  std::string temporary_;  // a named temporary, removed unless renamed into place
};

// Removes temporaries that ReplacedFile left for `path` (a process killed between naming and
// renaming, or on a file system without unnamed temporaries): regular files in its folder
// named ".<name>.<8 hex digits>" and last changed more than `age` ago. Never fails.
void RemoveStaleTemporaries(const std::filesystem::path& path, std::chrono::seconds age = std::chrono::minutes(1));

}  // namespace serialix
