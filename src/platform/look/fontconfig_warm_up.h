#pragma once

#include <thread>

namespace serialix {

// Fontconfig reads its configuration and the list of installed fonts when a program first asks
// for a font: about a fifth of the work before the main window shows. Made before the
// application object, this does that reading on a thread of its own while the toolkit starts
// and connects to the display; wait() before the first font is asked for.
class FontconfigWarmUp {
 public:
  FontconfigWarmUp();
  ~FontconfigWarmUp();
  FontconfigWarmUp(const FontconfigWarmUp&) = delete;
  FontconfigWarmUp& operator=(const FontconfigWarmUp&) = delete;

  void wait();

 private:
  std::thread thread_;
};

}  // namespace serialix
