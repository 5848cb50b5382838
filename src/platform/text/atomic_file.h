#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace serialix {

// Replaces the file at `path` with `bytes` so that readers see either the old
// content or the complete new one, never a partial file: the bytes go to a
// temporary file in the same folder, are flushed to disk and then renamed over
// the target. An existing file keeps its permission bits; a symbolic link is
// followed and its target replaced. On failure the target is untouched, the
// temporary is removed, false is returned and `error` (when given) says why,
// naming the path.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         std::string* error = nullptr);

}  // namespace serialix
