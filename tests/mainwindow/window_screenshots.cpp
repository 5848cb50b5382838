// Saves pictures of the main window and the About dialog for a person to look at: the worked
// example after one run, in the light palette or, with --dark, a dark one. The scale comes from
// QT_SCALE_FACTOR. Run under an X server (scripts/screenshots does it under Xvfb).
// With --desktop-style the style and fonts stay as the desktop (QT_QPA_PLATFORMTHEME, for
// instance qt6ct) sets them; otherwise the style is Fusion.
// Usage: window_screenshots OUTPUT_PREFIX [--dark] [--desktop-style]  ->  PREFIX-main.png, -about.png
#include <QApplication>
#include <QComboBox>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "mainwindow/frm_main.h"
#include "platform/services/qt_translations.h"
#include "support/find_control.h"

namespace {

// A dark desktop palette as dark themes set it: light text on dark window and list colours.
QPalette DarkPalette() {
  QPalette p;
  const QColor window(45, 45, 48), base(30, 30, 30), text(230, 230, 230), disabled(120, 120, 120);
  p.setColor(QPalette::Window, window);
  p.setColor(QPalette::WindowText, text);
  p.setColor(QPalette::Base, base);
  p.setColor(QPalette::AlternateBase, window);
  p.setColor(QPalette::Text, text);
  p.setColor(QPalette::Button, window);
  p.setColor(QPalette::ButtonText, text);
  p.setColor(QPalette::ToolTipBase, base);
  p.setColor(QPalette::ToolTipText, text);
  p.setColor(QPalette::Highlight, QColor(42, 130, 218));
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::Light, QColor(80, 80, 84));
  p.setColor(QPalette::Midlight, QColor(64, 64, 68));
  p.setColor(QPalette::Mid, QColor(40, 40, 42));
  p.setColor(QPalette::Dark, QColor(20, 20, 20));
  p.setColor(QPalette::Shadow, Qt::black);
  for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    p.setColor(QPalette::Disabled, role, disabled);
  }
  return p;
}

bool Save(QWidget* window, const QString& path) {
  QTest::qWait(300);
  if (!window->grab().save(path)) {
    std::fprintf(stderr, "window_screenshots: cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = QApplication::arguments();
  if (args.size() < 2) {
    std::fprintf(stderr, "usage: window_screenshots OUTPUT_PREFIX [--dark] [--desktop-style]\n");
    return 2;
  }
  serialix::InstallJapaneseQtTranslations();
  if (!args.contains(QStringLiteral("--desktop-style"))) {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  }
  std::printf("style %s, font %s\n", qPrintable(QApplication::style()->name()),
              qPrintable(QApplication::font().toString()));
  if (args.contains(QStringLiteral("--dark"))) QApplication::setPalette(DarkPalette());

  QTemporaryDir dir;
  serialix::frmMainServices services;
  services.settingsFile = std::filesystem::path(dir.path().toStdString()) / "set.ini";
  services.exportDir = dir.path();
  serialix::frmMain window(services);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;

  using serialix::testing::FindControl;
  FindControl<QComboBox>(&window, "cmbB")->setEditText(QStringLiteral("example.com"));
  FindControl<QComboBox>(&window, "cmbD")->setCurrentIndex(0);
  FindControl<QComboBox>(&window, "cmbG(1)")->setEditText(QStringLiteral("12"));
  FindControl<QPushButton>(&window, "cmdR")->click();
  const QString prefix = args.at(1);
  if (!Save(&window, prefix + "-main.png")) return 1;

  FindControl<QPushButton>(&window, "cmdHelp")->click();
  QTest::qWait(300);
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->objectName() == "frmAbout" && top->isVisible()) return Save(top, prefix + "-about.png") ? 0 : 1;
  }
  std::fprintf(stderr, "window_screenshots: the About dialog did not open\n");
  return 1;
}
