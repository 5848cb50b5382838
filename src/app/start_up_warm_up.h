// Work the main window needs that does not need the application object. Begun before it, on a
// thread of its own, it runs on the second core while the toolkit loads its plugins and connects
// to the display, which takes most of the time before the first paint.
#pragma once

#include <system_error>
#include <thread>

#include "platform/files/codepage932.h"
#include "platform/look/fontconfig_warm_up.h"

namespace serialix {

class StartUpWarmUp {
 public:
  StartUpWarmUp() {
    try {
      thread_ = std::thread([] {
        WarmUpFontconfig();
        PrepareCodePage932();  // set.ini is read in it
      });
    } catch (const std::system_error&) {
      // No thread to spare: each is done on the main thread when first needed, as without this.
    }
  }
  ~StartUpWarmUp() { wait(); }
  StartUpWarmUp(const StartUpWarmUp&) = delete;
  StartUpWarmUp& operator=(const StartUpWarmUp&) = delete;

  // Before the first font is asked for, so that fontconfig is not read twice at once.
  void wait() {
    if (thread_.joinable()) thread_.join();
  }

 private:
  std::thread thread_;
};

}  // namespace serialix
