#include "platform/files/file_kind.h"

#include <sys/stat.h>

#include <string>

namespace serialix {
namespace {

class FileKindErrors : public std::error_category {
 public:
  const char* name() const noexcept override { return "file kind"; }
  std::string message(int value) const override {
    switch (static_cast<FileKind>(value)) {
      case FileKind::Folder: return "is a folder";
      case FileKind::NamedPipe: return "is a named pipe";
      case FileKind::CharacterDevice: return "is a character device";
      case FileKind::BlockDevice: return "is a block device";
      case FileKind::Socket: return "is a socket";
      case FileKind::Other: break;
    }
    return "is not a regular file";
  }
};

}  // namespace

const std::error_category& FileKindCategory() noexcept {
  static const FileKindErrors category;
  return category;
}

std::error_code make_error_code(FileKind kind) noexcept {
  return {static_cast<int>(kind), FileKindCategory()};
}

FileKind FileKindOf(mode_t mode) noexcept {
  if (S_ISDIR(mode)) return FileKind::Folder;
  if (S_ISFIFO(mode)) return FileKind::NamedPipe;
  if (S_ISCHR(mode)) return FileKind::CharacterDevice;
  if (S_ISBLK(mode)) return FileKind::BlockDevice;
  if (S_ISSOCK(mode)) return FileKind::Socket;
  return FileKind::Other;
}

}  // namespace serialix
