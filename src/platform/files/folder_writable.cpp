#include "platform/files/folder_writable.h"

#include <stdlib.h>
#include <unistd.h>

#include <string>
#include <system_error>

#include "platform/files/unique_fd.h"

namespace serialix {

bool FolderIsWritable(const std::filesystem::path& folder) noexcept {
  std::error_code error;
  if (folder.empty() || !std::filesystem::is_directory(folder, error)) return false;
  try {
    std::string probe = (folder / ".serialix-probe-XXXXXX").string();
    const UniqueFd fd(::mkstemp(probe.data()));
    if (!fd) return false;
    ::unlink(probe.c_str());
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace serialix
