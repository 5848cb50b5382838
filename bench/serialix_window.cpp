// The program's start as main() does it, up to the first paint of the main window.
#include "first_paint_probe.h"
#include "run_serialix.h"
#include "start_up_warm_up.h"

int main(int argc, char** argv) {
  serialix::StartUpWarmUp();
  serialix::bench::FirstPaintApplication app(argc, argv);
  return serialix::RunSerialix(app);
}
