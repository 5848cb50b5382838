#include "platform/files/file_exists.h"

#include <system_error>

namespace serialix {

bool FileExists(const std::filesystem::path& path) noexcept {
  if (path.empty()) return false;
  std::error_code error;
  return std::filesystem::exists(path, error) && !error;
}

}  // namespace serialix
