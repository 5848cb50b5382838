// The program's start as main() does it, up to the first paint of the main window.
#include "app/run_serialix.h"
#include "first_paint_probe.h"

int main(int argc, char** argv) {
  serialix::bench::FirstPaintApplication app(argc, argv);
  return serialix::RunSerialix(app);
}
