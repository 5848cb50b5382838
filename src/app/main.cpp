#include <QApplication>

#include "run_serialix.h"

int main(int argc, char** argv) {
  serialix::StartUpWarmUp();  // meanwhile the application connects to the display
  QApplication app(argc, argv);
  return serialix::RunSerialix(app);
}
