// Reading a whole regular file at once, for the files the program reads at start or on request.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

namespace serialix {

struct WholeFile {
  std::unique_ptr<char[]> bytes;
  std::size_t size = 0;
};

// Reads a regular file (a symbolic link to one included) without ever blocking: a folder, pipe,
// device or socket is refused before it is opened (a FileKind code). Nothing, with the reason in
// `error`, when the file is missing or cannot be read whole.
std::optional<WholeFile> ReadWholeFile(const std::filesystem::path& file, std::error_code* error = nullptr);

}  // namespace serialix
