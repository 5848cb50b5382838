#pragma once

#include <filesystem>

namespace serialix {

// The one rule for "can the program write here": true when a new file can be created in the
// folder, found out by creating and removing one. Permission bits cannot tell: they miss
// read-only mounts and ACLs, and root passes them even where no file can be made (/proc).
// A missing path, a file or an empty path is not a writable folder. Never throws.
bool FolderIsWritable(const std::filesystem::path& folder) noexcept;

}  // namespace serialix
