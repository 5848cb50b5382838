#pragma once

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "mainwindow/frm_main.h"
#include "platform/services/clipboard.h"
#include "platform/services/config_store.h"
#include "platform/services/drag_starter.h"
#include "platform/services/message_box.h"
#include "platform/services/program_launcher.h"
#include "platform/services/save_dialog.h"
#include "platform/services/url_opener.h"
#include "platform/widgets/virtual_list_box.h"
#include "support/find_control.h"
#include "support/memory_config_store.h"
#include "support/recording_program_launcher.h"
#include "support/recording_url_opener.h"
#include "support/scripted_message_box.h"
#include "support/scripted_save_dialog.h"

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}
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
  // Reads the text as a pasting program would, so a fault in the offered bytes shows.
  void setMimeData(std::unique_ptr<QMimeData> data) override { held = data->text(); }
  QString text() const override { return held; }
  std::string textBytes() const override { return heldBytes ? *heldBytes : held.toStdString(); }
  QString held = QStringLiteral("untouched");
  std::optional<std::string> heldBytes;  // bytes that need not be UTF-8, held instead of `held`
  bool cleared = false;
};

// Starts no drag loop; keeps what each drag would have offered.
struct RecordingDragStarter : DragStarter {
  void start(QWidget*, std::unique_ptr<QMimeData> data) override { offered.push_back(std::move(data)); }
  std::vector<std::unique_ptr<QMimeData>> offered;
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
    services.urlOpener = &browser;
    services.dragStarter = &drags;
    services.settingsFile = iniPath();
    services.exportDir = dir.path();
    services.askTemplate = askTemplate;
    services.askPattern = askPattern;
    services.askTemplateName = askTemplateName;
    services.chooseTemplate = chooseTemplate;
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
  static void typeInto(QComboBox* box, const QString& text) {
    box->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box, text);
  }

  QStringList rows() const {
    QStringList texts;
    for (std::uint64_t i = 0; i < list()->count(); ++i) texts << list()->text(i);
    return texts;
  }

  static QStringList items(const QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
    return texts;
  }

  // The window's controls by object name, as a user interface test finds them.
  template <typename T = QWidget>
  T* control(const QString& name) const {
    return FindControl<T>(w.get(), name);
  }
  QComboBox* combo(const QString& name) const { return FindControl<QComboBox>(w.get(), name); }
  QCheckBox* check(const QString& name) const { return FindControl<QCheckBox>(w.get(), name); }
  QPushButton* button(const QString& name) const { return FindControl<QPushButton>(w.get(), name); }
  QRadioButton* option(const QString& name) const { return FindControl<QRadioButton>(w.get(), name); }
  QLineEdit* edit(const QString& name) const { return FindControl<QLineEdit>(w.get(), name); }
  QLabel* label(const QString& name) const { return FindControl<QLabel>(w.get(), name); }
  VirtualListBox* list() const { return FindControl<VirtualListBox>(w.get(), "List1"); }
  // "opt2" -> opt2(0), opt2(1), opt2(2).
  std::array<QRadioButton*, 3> options(const QString& group) const {
    return {option(group + "(0)"), option(group + "(1)"), option(group + "(2)")};
  }
  // "G" -> cmbG(0), cmbG(1).
  std::array<QComboBox*, 2> counterCombos(const QString& letter) const {
    return {combo("cmb" + letter + "(0)"), combo("cmb" + letter + "(1)")};
  }

  QTemporaryDir dir;
  FakeClipboard clipboard;
  ScriptedMessageBox messages;
  ScriptedSaveDialog saveDialog;
  MemoryConfigStore store;
  RecordingProgramLauncher launcher;
  RecordingUrlOpener browser;
  RecordingDragStarter drags;
  AskTemplate askTemplate;          // empty: the real dialog; set before open()
  AskPatternText askPattern;        // likewise
  AskTemplateName askTemplateName;  // the same for the dialogs of saved templates
  ChooseTemplate chooseTemplate;
  std::unique_ptr<frmMain> w;
};

}  // namespace serialix::testing
