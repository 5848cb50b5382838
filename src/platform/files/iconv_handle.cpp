#include "platform/files/iconv_handle.h"

#include <cerrno>
#include <string>
#include <system_error>

namespace serialix {

IconvHandle OpenIconv(const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    throw std::system_error(errno, std::generic_category(),
                            std::string("iconv cannot convert from ") + from + " to " + to);
  }
  return IconvHandle(cd);
}

}  // namespace serialix
