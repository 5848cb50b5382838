#include "about/about_dialog.h"

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
#include <gtest/gtest.h>

namespace serialix {
namespace {

const QString kLocation1 = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const QString kLocation2 = "SOFTWARE\\Microsoft\\Shared Tools Location";
const QString kFailure = "現時点ではｼｽﾃﾑ情報を使用できません";

struct Services {
  MemoryConfigStore store;
  RecordingProgramLauncher launcher;
  ScriptedMessageBox messages;
  AboutServices about() { return {&store, &launcher, &messages}; }
};

void DeletePending() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

TEST(frmAbout, CaptionTextsAndGeometryFollowTheTwipsTable) {
  QWidget main;
  Services services;
  QPointer<frmAbout> about = ShowAboutDialog(&main, services.about());

  EXPECT_EQ(about->windowTitle(), "Serialixのﾊﾞｰｼﾞｮﾝ情報");
  EXPECT_EQ(about->parent(), nullptr);
  EXPECT_TRUE(about->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_FALSE(about->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(about->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(about->size(), QSize(217, 237));
  EXPECT_EQ(about->minimumSize(), about->maximumSize());

  struct Control {
    const char* name;
    QRect geometry;
    const char* text;  // nullptr: no text to check
  };
  const Control controls[] = {
      {"picIcon", {16, 16, 36, 36}, nullptr},
      {"lblTitle", {64, 24, 123, 32}, "Serialix"},
      {"lblVersion", {56, 80, 123, 23}, "ﾊﾞｰｼﾞｮﾝ 0.0.4"},
      {"cmdOK", {32, 192, 68, 23}, "OK"},
      {"cmdSysInfo", {128, 192, 68, 23}, "ｼｽﾃﾑ情報"},
  };
  for (const Control& c : controls) {
    SCOPED_TRACE(c.name);
    auto* widget = about->findChild<QWidget*>(c.name);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->geometry(), c.geometry);
    if (!c.text) continue;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      EXPECT_EQ(label->text(), c.text);
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
      EXPECT_EQ(button->text(), c.text);
    }
  }
  EXPECT_EQ(about->findChild<QLabel*>("lblTitle")->font().pointSize(), 12);
  EXPECT_EQ(about->findChild<QLabel*>("lblVersion")->font().pointSize(), 12);
  EXPECT_TRUE(about->findChild<QPushButton*>("cmdOK")->isDefault());

  // The rule: both lines at the same height, the grey one lying on the white one.
  const QList<QWidget*> lines = about->findChildren<QWidget*>("Line1");
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines[0]->geometry(), QRect(7, 176, 202, 2));
  EXPECT_EQ(lines[0]->palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_EQ(lines[1]->geometry(), QRect(6, 176, 203, 1));
  EXPECT_EQ(lines[1]->palette().color(QPalette::Window), QColor(128, 128, 128));

  // Centred on the screen (within what a window frame adds).
  const QPoint centre = about->screen()->availableGeometry().center();
  EXPECT_LE((about->frameGeometry().center() - centre).manhattanLength(), 10);
  about->close();
  DeletePending();
}

// Every way of closing re-enables the main window and unloads the dialog, so the next
// "ﾍﾙﾌﾟ" loads it anew.
TEST(frmAbout, EveryWayOfClosingEnablesTheMainWindowAgain) {
  struct Case {
    const char* name;
    std::function<void(frmAbout*)> close;
  };
  const Case cases[] = {
      {"OK", [](frmAbout* a) { QTest::mouseClick(a->findChild<QPushButton*>("cmdOK"), Qt::LeftButton); }},
      {"Enter", [](frmAbout* a) { QTest::keyClick(a, Qt::Key_Return); }},
      {"Esc", [](frmAbout* a) { QTest::keyClick(a, Qt::Key_Escape); }},
      {"close box", [](frmAbout* a) { a->close(); }},
  };
  QWidget main;
  main.show();
  Services services;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QPointer<frmAbout> about = ShowAboutDialog(&main, services.about());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    EXPECT_FALSE(main.isEnabled());
    EXPECT_TRUE(about->isEnabled());
    c.close(about);
    EXPECT_TRUE(main.isEnabled());
    EXPECT_FALSE(about && about->isVisible());
    DeletePending();
    EXPECT_TRUE(about.isNull());
  }
  EXPECT_TRUE(services.messages.shown.empty());
}

ConfigValue Bytes(std::uint32_t type, std::string bytes) { return {type, std::move(bytes)}; }

TEST(GetKeyValue, ReadsTextAndNumbersLeavesOtherTypesAndClearsOnFailure) {
  struct Case {
    const char* name;
    std::optional<ConfigValue> value;  // nothing: value absent (the key exists)
    KeyValueStatus status;
    QString keyVal;  // after the call; the caller passes "before"
  };
  const Case cases[] = {
      {"text with NUL", Bytes(kTextValue, std::string("C:\\a b\\x.exe\0", 13)),
       KeyValueStatus::Found, "C:\\a b\\x.exe"},
      {"text without NUL", Bytes(kTextValue, "C:\\x"), KeyValueStatus::Found, "C:\\x"},
      {"code page 932 text", Bytes(kTextValue, std::string("\x83\x5C\x83\x74\x83\x67\0", 7)),
       KeyValueStatus::Found, "ソフト"},
      {"only a NUL", Bytes(kTextValue, std::string(1, '\0')), KeyValueStatus::Found, ""},
      {"number", Bytes(kNumberValue, std::string("\x0A\x00\x10\x01", 4)), KeyValueStatus::Found,
       "&h1100A"},
      {"expandable text", Bytes(kExpandableTextValue, std::string("%x%\0", 4)),
       KeyValueStatus::Found, "before"},
      {"exactly 1024 bytes", Bytes(kTextValue, std::string(1024, 'p')), KeyValueStatus::Found,
       QString(1024, 'p')},
      {"longer than 1024 bytes", Bytes(kTextValue, std::string(1025, 'p')),
       KeyValueStatus::Missing, ""},
      {"empty", Bytes(kTextValue, ""), KeyValueStatus::Unusable, "before"},
      {"absent value", std::nullopt, KeyValueStatus::Missing, ""},
  };
  for (const Case& c : cases) {
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

  MemoryConfigStore store;
  QString keyVal = "before";
  EXPECT_EQ(GetKeyValue(store, kLocalMachineRoot, kLocation1, "PATH", keyVal),
            KeyValueStatus::Missing);
  EXPECT_EQ(keyVal, "");
  EmptyConfigStore none;
  EXPECT_EQ(GetKeyValue(none, kLocalMachineRoot, kLocation1, "PATH", keyVal),
            KeyValueStatus::Missing);
}

TEST(StartSysInfo, FollowsTheLookupOrderAndShowsTheMessageOnEveryFailure) {
  const QString tools = "C:\\Tools\\MSINFO32.EXE", info = "C:\\Info\\msinfo32.exe";
  const ConfigValue expandable = Bytes(kExpandableTextValue, std::string("%a%\0", 4));
  struct Case {
    const char* name;
    std::optional<ConfigValue> location1;  // "PATH"
    bool location2;                        // "MSINFO" = "C:\Tools"
    std::vector<QString> files, startable, executables;
    std::vector<QString> started, searched;  // what the dialog tried, in order
    bool message;
  };
  const Case cases[] = {
      {"location 1 wins over location 2", Bytes(kTextValue, info.toStdString()), true,
       {tools}, {info, tools}, {}, {info}, {}, false},
      {"location 1 that cannot start: location 2 not tried", Bytes(kTextValue, "C:\\gone.exe"),
       true, {tools}, {tools}, {}, {"C:\\gone.exe"}, {}, true},
      {"location 1 of another type: an empty path fails", expandable, true, {tools}, {tools}, {},
       {""}, {}, true},
      {"location 1 empty: location 2 not tried", Bytes(kTextValue, ""), true, {tools}, {tools}, {},
       {}, {}, true},
      {"location 2 with the file", {}, true, {tools}, {tools}, {}, {tools}, {tools}, false},
      {"location 2 without the file", {}, true, {}, {}, {"/usr/bin/hardinfo"}, {}, {tools}, true},
      {"neither, nothing on the PATH", {}, false, {}, {}, {}, {}, {}, true},
      {"neither, a stand-in on the PATH", {}, false, {},
       {"/usr/bin/kinfocenter", "/usr/bin/gnome-system-monitor"},
       {"/usr/bin/gnome-system-monitor", "/usr/bin/kinfocenter"}, {"/usr/bin/kinfocenter"}, {},
       false},
      {"neither, a stand-in that cannot start", {}, false, {}, {}, {"/usr/bin/hardinfo"},
       {"/usr/bin/hardinfo"}, {}, true},
  };
  QWidget main;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Services services;
    if (c.location1) services.store.setValue(kLocalMachineRoot, kLocation1, "PATH", *c.location1);
    if (c.location2) services.store.setText(kLocalMachineRoot, kLocation2, "MSINFO", "C:\\Tools");
    services.launcher.files = c.files;
    services.launcher.startable = c.startable;
    services.launcher.executables = c.executables;
    QPointer<frmAbout> about = ShowAboutDialog(&main, services.about());
    QTest::mouseClick(about->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);

    EXPECT_EQ(services.launcher.started, c.started);
    EXPECT_EQ(services.launcher.searched, c.searched);
    ASSERT_EQ(services.messages.shown.size(), c.message ? 1u : 0u);
    if (c.message) {
      EXPECT_EQ(services.messages.shown[0].caption, "Serialix");
      EXPECT_EQ(services.messages.shown[0].text, kFailure);
      EXPECT_FALSE(services.messages.shown[0].question);
    }
    EXPECT_EQ(services.store.openKeys(), 0);
    EXPECT_TRUE(about->isVisible());  // the dialog stays open either way
    about->close();
    DeletePending();
  }
}

TEST(SystemProgramLauncher, FindsOnlyNormalFilesCaseInsensitivelyAndReportsAFailedStart) {
  QTemporaryDir dir;
  QDir(dir.path()).mkdir("folder.exe");
  for (const char* name : {"msinfo32.exe", ".hidden.exe"}) QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
  SystemProgramLauncher launcher;
  const QString folder = QDir::toNativeSeparators(dir.path());
  EXPECT_EQ(launcher.findFile(folder + "\\MSINFO32.EXE"), dir.filePath("msinfo32.exe"));
  for (const char* absent : {"/.hidden.exe", "/folder.exe", "/missing.exe", "/"}) {
    EXPECT_EQ(launcher.findFile(folder + absent), "") << absent;
  }
  EXPECT_FALSE(launcher.start(""));
  EXPECT_FALSE(launcher.start(dir.filePath("msinfo32.exe")));  // not executable
  EXPECT_TRUE(launcher.start("/bin/true"));
}

}  // namespace
}  // namespace serialix
