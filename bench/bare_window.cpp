// The peer of the first-paint figure: a plain Qt window of the main window's size, nothing in it.
#include <QWidget>

#include "first_paint_probe.h"

int main(int argc, char** argv) {
  serialix::bench::FirstPaintApplication app(argc, argv);
  QWidget window;
  window.setFixedSize(777, 511);  // frmMain's client area: 11655 x 7665 twips
  window.show();
  return app.exec();
}
