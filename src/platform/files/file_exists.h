#pragma once

#include <filesystem>

namespace serialix {

// True when something exists at the path, a folder included. A path that
// cannot be examined (empty, too long, no permission on a parent) counts as
// missing. Never throws.
bool FileExists(const std::filesystem::path& path) noexcept;

}  // namespace serialix
