// Work the main window needs before its first paint, begun before the application object: the
// heap grown on huge pages, and on a thread of its own, reading the font configuration and opening
// the code page's converters.
#pragma once

#include <sys/resource.h>
#include <unistd.h>

#include <cstddef>
#include <system_error>
#include <thread>

#include "platform/files/codepage932.h"
#include "platform/files/huge_pages.h"
#include "platform/look/fontconfig_warm_up.h"

namespace serialix {

// Nothing ever waits for the thread: fontconfig and the code page each let the main thread do
// the work itself when it gets there first (the later one's result is dropped). So the thread
// runs at the lowest priority, on time the toolkit and the display server leave unused while the
// application object connects to the display: at normal priority it slowed that connection by
// about half of its own work on a two-core machine.
inline void StartUpWarmUp() {
  // Two huge pages' worth: the window's start touches about 2.7 MiB of fresh heap.
  GrowHeapOnHugePages(std::size_t{6} << 20);
  try {
    std::thread([] {
#ifdef __linux__
      setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 19);  // on Linux, this thread only
#endif
      try {
        WarmUpFontconfig();
        PrepareCodePage932();  // set.ini is read in it
      } catch (...) {
        // Met again, and reported, where the window needs it.
      }
    }).detach();
  } catch (const std::system_error&) {
    // No thread to spare: each is done on the main thread when first needed, as without this.
  }
}

}  // namespace serialix
