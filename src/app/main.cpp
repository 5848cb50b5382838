#include <QApplication>

#include "run_serialix.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  return serialix::RunSerialix(app);
}
