#include <QFile>

#include "main_window_fixture.h"
#include "platform/text/codepage932.h"
#include "support/files.h"

namespace serialix::testing {
namespace {

using SettingsFileTest = MainWindowTest;

QByteArray fileBytes(const std::filesystem::path& path) { return QByteArray::fromStdString(FileBytes(path)); }

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

}  // namespace
}  // namespace serialix::testing
