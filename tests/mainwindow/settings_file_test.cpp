#include <sys/stat.h>
#include <QFile>

#include <filesystem>
#include <functional>

#include "main_window_fixture.h"
#include "platform/files/codepage932.h"
#include "support/files.h"

namespace serialix::testing {
namespace {

using SettingsFileTest = MainWindowTest;

QByteArray fileBytes(const std::filesystem::path& path) {
  return QByteArray::fromStdString(FileBytes(path));
}

TEST_F(SettingsFileTest, FirstStartCreatesAnEmptyFileAndTheFirstCloseWritesTheExampleBytes) {
  EXPECT_EQ(fileBytes(iniPath()), QByteArray());
  for (const char* host : {"host1", "host2"}) {
    combo("cmbB")->setEditText(host);
    button("cmdR")->click();
  }
  for (const char* extension : {"mpeg", "mov", "rm", "ram"}) {
    combo("cmbN")->setEditText(extension);
    button("cmdListC3")->click();
  }
  w->move(65, 40);  // 975 and 600 twips
  w->close();

  const std::string expected =
      "[ｳｨﾝﾄﾞｳ位置]\r\nfrmMain.Left=975\r\nfrmMain.Top=600\r\n"
      "[URL]\r\ncmbB.List0=host1\r\ncmbB.List1=host2\r\n"
      "[記号]\r\ncmbk.List0=-\r\ncmbk.List1=~\r\ncmbk.List2=_\r\ncmbk.List3=.\r\n"
      "[拡張子]\r\ncmbN.List0=mpg\r\n";
  const std::string cp932 = Utf8ToCp932(expected);
  EXPECT_EQ(fileBytes(iniPath()), QByteArray(cp932.data(), static_cast<qsizetype>(cp932.size())));
}

TEST_F(SettingsFileTest, UnusablePositionKeepsTheDefaultPlacementAndHandAddedKeysSurvive) {
  w.reset();  // closed without unload: the file stays empty
  const std::string text =
      "[ｳｨﾝﾄﾞｳ位置]\r\nfrmMain.Left=abc\r\nfrmMain.Top=\r\nmine=1\r\n[URL]\r\ncmbB.List0=a\r\ncmbB.List1=b\r\n"
      "cmbB.List3=d\r\n[記号]\r\ncmbK.List0=+\r\n";
  const std::string cp932 = Utf8ToCp932(text);
  QFile file(QString::fromStdString(iniPath().string()));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(cp932.data(), static_cast<qint64>(cp932.size()));
  file.close();

  open();
  EXPECT_EQ(items(combo("cmbB")), QStringList({"a", "b"}));  // the gap at List2 ends the list
  EXPECT_EQ(items(combo("cmbK")), QStringList({"+"}));       // "cmbK" read like "cmbk"
  EXPECT_EQ(combo("cmbN")->count(), 0);                      // no defaults once the file exists
  w->close();
  const QByteArray bytes = fileBytes(iniPath());
  EXPECT_TRUE(bytes.contains("mine=1\r\n"));
  EXPECT_TRUE(bytes.contains("cmbB.List1=b\r\n"));
  EXPECT_FALSE(bytes.contains("cmbB.List3"));
  EXPECT_TRUE(bytes.contains("cmbk.List0=+\r\n"));
}

// A set.ini that is a folder or a pipe (a link to one included) is reported once at start,
// start-up does not wait on it, the session starts with the first-start defaults, and the
// close leaves it alone.
TEST_F(SettingsFileTest, UnreadableFileIsReportedOnceAndLeftAlone) {
  const std::filesystem::path ini = iniPath(), elsewhere = ini.parent_path() / "elsewhere";
  const std::function<void()> makers[] = {
      [&] { std::filesystem::create_directory(ini); },
      [&] { ASSERT_EQ(::mkfifo(ini.c_str(), 0644), 0); },
      [&] {
        ASSERT_EQ(::mkfifo(elsewhere.c_str(), 0644), 0);
        std::filesystem::create_symlink(elsewhere, ini);
      },
  };
  for (const auto& make : makers) {
    w.reset();
    std::filesystem::remove(ini);
    std::filesystem::remove(elsewhere);
    make();
    const auto type = std::filesystem::status(ini).type();
    ASSERT_NE(type, std::filesystem::file_type::not_found);
    messages.shown.clear();
    open();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Serialix");
    EXPECT_TRUE(messages.shown[0].text.startsWith("設定ﾌｧｲﾙを読み込めませんでした。\n" +
                                                  QString::fromStdString(ini.string()) + "\n"))
        << messages.shown[0].text.toStdString();
    EXPECT_EQ(items(combo("cmbK")), QStringList({"-", "~", "_", "."}));
    combo("cmbB")->setEditText("host");
    button("cmdR")->click();
    w->close();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(std::filesystem::status(ini).type(), type);
    EXPECT_TRUE(std::filesystem::is_symlink(ini) == (std::filesystem::exists(elsewhere)));
  }
}

// Two windows on one set.ini, closed one after the other: both sessions' entries are kept.
TEST_F(SettingsFileTest, TwoInstancesKeepBothSessionsEntries) {
  std::unique_ptr<frmMain> first = std::move(w);
  open();
  combo("cmbB")->setEditText("second.example");
  button("cmdR")->click();
  w->close();
  first->findChild<QComboBox*>("cmbB")->setEditText("first.example");
  first->findChild<QPushButton*>("cmdR")->click();
  first->close();
  restart();
  EXPECT_EQ(items(combo("cmbB")), QStringList({"first.example", "second.example"}));
}

// A set.ini saved as UTF-8 is reported once, at start.
TEST_F(SettingsFileTest, Utf8FileIsReportedOnceAtStart) {
  w.reset();
  PutFileBytes(iniPath(), "[記号]\r\ncmbk.List0=〜\r\n");
  open();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(messages.shown[0].text.startsWith("設定ﾌｧｲﾙが UTF-8 で保存されています。\n"))
      << messages.shown[0].text.toStdString();
  EXPECT_EQ(combo("cmbK")->count(), 1);
  restart();
  EXPECT_EQ(messages.shown.size(), 1u);  // written back as code page 932 around the kept bytes
}

// A failed save at close still closes, after a message naming the file and the reason; the
// thing at the path stays as it was.
TEST_F(SettingsFileTest, FailedSaveAtCloseIsReported) {
  std::filesystem::remove(iniPath());
  std::filesystem::create_directory(iniPath());  // the file turned into a folder while running
  w->close();
  EXPECT_FALSE(w->isVisible());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].caption, "Serialix");
  EXPECT_FALSE(messages.shown[0].question);
  EXPECT_EQ(messages.shown[0].text.section('\n', 0, 1),
            "設定ﾌｧｲﾙに保存できませんでした。\n" + QString::fromStdString(iniPath().string()));
  EXPECT_TRUE(std::filesystem::is_directory(iniPath()));
}

}  // namespace
}  // namespace serialix::testing
