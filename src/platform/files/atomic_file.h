#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

namespace serialix {

// Replaces the file at `path` with `bytes` so that readers see either the old
// content or the complete new one, never a partial file. The bytes go to an
// unnamed temporary file in the same folder (O_TMPFILE, where the file system
// has it), are flushed to disk, given a name and renamed over the target; on
// other file systems a named temporary ".<name>.<8 hex digits>" is used. A
// process killed while writing thus leaves nothing behind where it can.
// An existing file keeps its permission bits; a symbolic link is followed and
// its target replaced. Only a regular file is replaced: a folder, pipe,
// device or socket at `path` (or at the end of its link) is refused. On
// failure the target is untouched, no temporary remains, false is returned
// and `error` (when given) says why.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string* error = nullptr);

// Removes temporaries that WriteFileAtomically left for `path` (a process
// killed between naming and renaming, or on a file system without unnamed
// temporaries): regular files in its folder named ".<name>.<8 hex digits>"
// and last changed more than `age` ago. Never fails.
void RemoveStaleTemporaries(const std::filesystem::path& path, std::chrono::seconds age = std::chrono::minutes(1));

// The reason given for a path that exists but is not a regular file.
std::string NotRegularFileReason();

}  // namespace serialix
