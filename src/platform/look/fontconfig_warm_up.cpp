#include "platform/look/fontconfig_warm_up.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace serialix {

FontconfigWarmUp::FontconfigWarmUp() {
  try {
    // A failure here is the toolkit's to report: it initialises fontconfig again, and so
    // would without this thread.
    thread_ = std::thread([] { FcInit(); });
  } catch (const std::system_error&) {
    // No thread to spare: fontconfig is then read on the main thread, as it would be anyway.
  }
}

FontconfigWarmUp::~FontconfigWarmUp() {
  wait();
}

void FontconfigWarmUp::wait() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace serialix
