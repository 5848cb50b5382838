// What kind of thing stands at a path that is not a regular file, as an error code: the file
// layer refuses such paths with it, and the window words it.
#pragma once

#include <sys/types.h>

#include <system_error>

namespace serialix {

enum class FileKind { Folder = 1, NamedPipe, CharacterDevice, BlockDevice, Socket, Other };

// The category of FileKind codes; message() says "is a folder" and so on.
const std::error_category& FileKindCategory() noexcept;

std::error_code make_error_code(FileKind kind) noexcept;

// The kind of a st_mode that is not a regular file.
FileKind FileKindOf(mode_t mode) noexcept;

}  // namespace serialix

template <>
struct std::is_error_code_enum<serialix::FileKind> : std::true_type {};
