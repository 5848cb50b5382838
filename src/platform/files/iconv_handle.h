#pragma once

#include <iconv.h>

#include <memory>
#include <type_traits>

namespace serialix {

struct IconvCloser {
  void operator()(iconv_t cd) const noexcept { iconv_close(cd); }
};

// An open iconv conversion, closed when it goes.
using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

// Opens the conversion from one charset to another. Throws std::system_error (naming both
// charsets) when the C library has no such conversion: a fault of the installation, not of
// any input, so no caller can mend it.
IconvHandle OpenIconv(const char* to, const char* from);

}  // namespace serialix
