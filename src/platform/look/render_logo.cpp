// Writes the logo as drawn to an XPM file, the picture the window shows: scripts/render-logo.
#include <QGuiApplication>
#include <cstdio>

#include "platform/look/pictures.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: render_logo FILE.xpm\n");
    return 2;
  }
  return serialix::DrawnLogoPicture().save(QString::fromLocal8Bit(argv[1]), "XPM") ? 0 : 1;
}
