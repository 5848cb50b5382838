#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "mainwindow/frm_main.h"
#include "platform/clipboard.h"
#include "platform/config_store.h"
#include "platform/message_box.h"
#include "platform/program_launcher.h"
#include "platform/save_dialog.h"
#include "platform/virtual_list_box.h"

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* os) {
  *os << '{';
  for (const QString& t : list) *os << " \"" << t.toStdString() << '"';
  *os << " }";
}

namespace serialix::testing {

class FakeClipboard : public Clipboard {
 public:
  void clear() override {
    cleared = true;
    held.clear();
  }
  void setText(const QString& text) override { held = text; }
  QString text() const override { return held; }
  QString held = QStringLiteral("untouched");
  bool cleared = false;
};

// A main window on the offscreen platform with every outside service replaced by a fake, and
// set.ini in a temporary folder.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { open(); }

  void open() {
    frmMainServices services;
    services.clipboard = &clipboard;
    services.messages = &messages;
    services.saveDialog = &saveDialog;
    services.configStore = &store;
    services.launcher = &launcher;
    services.settingsFile = iniPath();
    services.exportDir = dir.path();
    w = std::make_unique<frmMain>(services);
    w->show();
    QApplication::setActiveWindow(w.get());
  }

  // Closes the window as its close box does, then opens a new one on the same set.ini.
  void restart() {
    w->close();
    w.reset();
    open();
  }

  std::filesystem::path iniPath() const { return std::filesystem::path(dir.path().toStdString()) / "set.ini"; }

  // Replaces a combo's text by typing, as a user who selected all of it would.
  static void typeInto(QComboBox* combo, const QString& text) {
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo, text);
  }

  QStringList rows() const {
    QStringList list;
    for (std::uint64_t i = 0; i < w->List1->count(); ++i) list << w->List1->text(i);
    return list;
  }

  static QStringList items(const QComboBox* combo) {
    QStringList list;
    for (int i = 0; i < combo->count(); ++i) list << combo->itemText(i);
    return list;
  }

  QTemporaryDir dir;
  FakeClipboard clipboard;
  ScriptedMessageBox messages;
  ScriptedSaveDialog saveDialog;
  MemoryConfigStore store;
  RecordingProgramLauncher launcher;
  std::unique_ptr<frmMain> w;
};

}  // namespace serialix::testing
