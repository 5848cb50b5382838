#include <QApplication>

#include "run_serialix.h"
#include "start_up_warm_up.h"

int main(int argc, char** argv) {
  serialix::StartUpWarmUp();  // meanwhile the application connects to the display
  QApplication app(argc, argv);
  return serialix::RunSerialix(app);
}
