// Runs the widget tests on Qt's offscreen platform, so they need no display.
#include <gtest/gtest.h>
#include <QApplication>

#include "platform/services/qt_translations.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // As the program does: Qt's own dialogs and buttons in Japanese.
  serialix::InstallJapaneseQtTranslations();
  return RUN_ALL_TESTS();
}
