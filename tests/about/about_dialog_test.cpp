#include "about/about_dialog.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "mainwindow/window_messages.h"
#include "support/memory_config_store.h"
#include "support/recording_program_launcher.h"
#include "support/scripted_message_box.h"

namespace serialix {
namespace {

const QString kLocation1 = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";

struct Services {
  MemoryConfigStore store;
  RecordingProgramLauncher launcher;
  ScriptedMessageBox messages;
  // As the window gives them: its words, over the dialog.
  AboutServices about() {
    return {&store, &launcher, [this](QWidget* dialog) { messages.inform(dialog, SysInfoUnavailableMessage()); }};
  }
};

void DeletePending() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(frmAbout, CaptionTextsAndGeometryFollowTheTwipsTable) {
  QWidget main;
  Services services;
  QPointer<frmAbout> about = ShowAboutDialog(&main, services.about());
  EXPECT_EQ(about->windowTitle(), "Serialixのﾊﾞｰｼﾞｮﾝ情報");
  EXPECT_EQ(about->parent(), nullptr);  // a child would be disabled with the main window
  const Qt::WindowFlags flags = about->windowFlags();
  EXPECT_EQ(flags & (Qt::WindowStaysOnTopHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint),
            Qt::WindowStaysOnTopHint);
  EXPECT_EQ(about->size(), QSize(217, 237));
  EXPECT_EQ(about->minimumSize(), about->maximumSize());

  const struct {
    const char* name;
    QRect geometry;
    QString text;
    int pointSize;  // 0: the toolkit's default font
  } controls[] = {
      {"picIcon", {16, 16, 36, 36}, "", 0},
      {"lblTitle", {64, 24, 123, 32}, "Serialix", 12},
      {"lblVersion", {56, 80, 123, 23}, "ﾊﾞｰｼﾞｮﾝ 0.0.4", 12},
      {"cmdOK", {32, 192, 68, 23}, "OK", 0},
      {"cmdSysInfo", {128, 192, 68, 23}, "ｼｽﾃﾑ情報", 0},
  };
  for (const auto& c : controls) {
    SCOPED_TRACE(c.name);
    auto* widget = about->findChild<QWidget*>(c.name);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->geometry(), c.geometry);
    const auto* label = qobject_cast<QLabel*>(widget);
    const auto* button = qobject_cast<QPushButton*>(widget);
    EXPECT_EQ(label ? label->text() : button ? button->text() : QString(), c.text);
    EXPECT_EQ(widget->font().pointSize(), c.pointSize ? c.pointSize : QApplication::font(widget).pointSize());
  }

  // The rule: both lines at the same height, the grey one lying on the white one.
  const QList<QWidget*> lines = about->findChildren<QWidget*>("Line1");
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines[0]->geometry(), QRect(7, 176, 202, 2));
  EXPECT_EQ(lines[0]->palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_EQ(lines[1]->geometry(), QRect(6, 176, 203, 1));
  EXPECT_EQ(lines[1]->palette().color(QPalette::Window), QColor(128, 128, 128));

  // Centred on the screen, within what a window frame adds.
  EXPECT_LE((about->frameGeometry().center() - about->screen()->availableGeometry().center()).manhattanLength(), 10);
  about->close();
  DeletePending();
}

// Every way of closing re-enables the main window and unloads the dialog, so the next
// "ﾍﾙﾌﾟ" loads it anew.
TEST(frmAbout, EveryWayOfClosingEnablesTheMainWindowAgain) {
  const std::pair<const char*, std::function<void(frmAbout*)>> cases[] = {
      {"OK", [](frmAbout* a) { QTest::mouseClick(a->findChild<QPushButton*>("cmdOK"), Qt::LeftButton); }},
      {"Enter", [](frmAbout* a) { QTest::keyClick(a, Qt::Key_Return); }},
      {"Esc", [](frmAbout* a) { QTest::keyClick(a, Qt::Key_Escape); }},
      {"close box", [](frmAbout* a) { a->close(); }},
  };
  QWidget main;
  main.show();
  Services services;
  for (const auto& [name, close] : cases) {
    SCOPED_TRACE(name);
    QPointer<frmAbout> about = ShowAboutDialog(&main, services.about());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    EXPECT_FALSE(main.isEnabled());
    EXPECT_TRUE(about->isEnabled());
    close(about);
    EXPECT_TRUE(main.isEnabled());
    EXPECT_FALSE(about && about->isVisible());
    DeletePending();
    EXPECT_TRUE(about.isNull());
  }
  EXPECT_TRUE(services.messages.shown.empty());
}

ConfigValue Text(std::string bytes) {
  return {kTextValue, std::move(bytes)};
}

TEST(GetKeyValue, ReadsTextAndNumbersLeavesOtherTypesAndClearsOnFailure) {
  using S = KeyValueStatus;
  const struct {
    const char* name;
    std::optional<ConfigValue> value;  // nothing: value absent (the key exists)
    KeyValueStatus status;
    QString keyVal;  // after the call; the caller passes "before"
  } cases[] = {
      {"text with NUL", Text(std::string("C:\\a b\\x.exe\0", 13)), S::Found, "C:\\a b\\x.exe"},
      {"text without NUL", Text("C:\\x"), S::Found, "C:\\x"},
      {"code page 932 text", Text(std::string("\x83\x5C\x83\x74\x83\x67\0", 7)), S::Found, "ソフト"},
      {"only a NUL", Text(std::string(1, '\0')), S::Found, ""},
      {"number", ConfigValue{kNumberValue, std::string("\x0A\x00\x10\x01", 4)}, S::Found, "&h1100A"},
      {"expandable text", ConfigValue{kExpandableTextValue, std::string("%x%\0", 4)}, S::Found, "before"},
      {"exactly 1024 bytes", Text(std::string(1024, 'p')), S::Found, QString(1024, 'p')},
      {"longer than 1024 bytes", Text(std::string(1025, 'p')), S::Missing, ""},
      {"empty", Text(""), S::Unusable, "before"},
      {"absent value", std::nullopt, S::Missing, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryConfigStore store;
    store.addKey(kLocalMachineRoot, kLocation1);
    if (c.value) store.setValue(kLocalMachineRoot, kLocation1, "PATH", *c.value);
    QString keyVal = "before";
    // Key and value names compare case-insensitively, as the registry's do.
    EXPECT_EQ(GetKeyValue(store, kLocalMachineRoot, kLocation1.toUpper(), "path", keyVal), c.status);
    EXPECT_EQ(keyVal, c.keyVal);
    EXPECT_EQ(store.openKeys(), 0);  // closed again, also after a failed query
  }
  MemoryConfigStore noKey;
  QString keyVal = "before";
  EXPECT_EQ(GetKeyValue(noKey, kLocalMachineRoot, kLocation1, "PATH", keyVal), S::Missing);
  EXPECT_EQ(keyVal, "");
}

TEST(StartSysInfo, FollowsTheLookupOrderAndShowsTheMessageOnEveryFailure) {
  const QString tools = "C:\\Tools\\MSINFO32.EXE", info = "C:\\Info\\msinfo32.exe";
  const QString hardinfo = "/usr/bin/hardinfo", kinfo = "/usr/bin/kinfocenter", gnome = "/usr/bin/gnome-system-monitor";
  const ConfigValue expandable{kExpandableTextValue, std::string("%a%\0", 4)};
  const struct {
    const char* name;
    std::optional<ConfigValue> location1;  // "PATH"
    bool location2;                        // "MSINFO" = "C:\Tools"
    std::vector<QString> files, startable, executables;
    std::vector<QString> started, searched;  // what the dialog tried, in order
    bool message;
  } cases[] = {
      {"location 1 wins over location 2",
       Text(info.toStdString()),
       true,
       {tools},
       {info, tools},
       {},
       {info},
       {},
       false},
      {"location 1 that cannot start: location 2 not tried",
       Text("C:\\gone.exe"),
       true,
       {tools},
       {tools},
       {},
       {"C:\\gone.exe"},
       {},
       true},
      {"location 1 of another type: an empty path fails", expandable, true, {tools}, {tools}, {}, {""}, {}, true},
      {"location 1 empty: location 2 not tried", Text(""), true, {tools}, {tools}, {}, {}, {}, true},
      {"location 2 with the file", {}, true, {tools}, {tools}, {}, {tools}, {tools}, false},
      {"location 2 without the file", {}, true, {}, {}, {hardinfo}, {}, {tools}, true},
      {"neither, nothing on the PATH", {}, false, {}, {}, {}, {}, {}, true},
      {"neither, a stand-in on the PATH", {}, false, {}, {kinfo, gnome}, {gnome, kinfo}, {kinfo}, {}, false},
      {"neither, a stand-in that cannot start", {}, false, {}, {}, {hardinfo}, {hardinfo}, {}, true},
  };
  QWidget main;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Services services;
    if (c.location1) services.store.setValue(kLocalMachineRoot, kLocation1, "PATH", *c.location1);
    if (c.location2) {
      services.store.setText(kLocalMachineRoot, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", "C:\\Tools");
    }
    services.launcher.files = c.files;
    services.launcher.startable = c.startable;
    services.launcher.executables = c.executables;
    QPointer<frmAbout> about = ShowAboutDialog(&main, services.about());
    QTest::mouseClick(about->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);

    EXPECT_EQ(services.launcher.started, c.started);
    EXPECT_EQ(services.launcher.searched, c.searched);
    ASSERT_EQ(services.messages.shown.size(), c.message ? 1u : 0u);
    if (c.message) {
      const auto& box = services.messages.shown[0];
      EXPECT_EQ(box.caption + box.text, "Serialix現時点ではｼｽﾃﾑ情報を使用できません");
      EXPECT_FALSE(box.question);
    }
    EXPECT_EQ(services.store.openKeys(), 0);
    EXPECT_TRUE(about->isVisible());  // the dialog stays open either way
    about->close();
    DeletePending();
  }
}

}  // namespace
}  // namespace serialix
