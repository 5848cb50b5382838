#include <gtest/gtest.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/services/clipboard.h"
#include "platform/services/on_demand_mime_data.h"
#include "platform/services/program_folder.h"

namespace serialix {
namespace {

// A thin wrapper, but the only user of the system clipboard: CR LF and Japanese text come back as set.
TEST(QtClipboard, TextRoundTripsAndClears) {
  QtClipboard clipboard;
  clipboard.setText(QStringLiteral("http://例え.jp/ｿﾌﾄ/001.mpg\r\n"));
  EXPECT_EQ(clipboard.text(), QStringLiteral("http://例え.jp/ｿﾌﾄ/001.mpg\r\n"));
  clipboard.clear();
  EXPECT_EQ(clipboard.text(), QString());
}

// Nothing is made when the data is handed over; every read makes the bytes anew, and the
// clipboard's own text reading decodes them as UTF-8.
TEST(OnDemandMimeData, MakesAFormatOnlyWhenItIsRead) {
  auto data = std::make_unique<OnDemandMimeData>();
  int made = 0;
  data->addFormat("text/plain", [&made] { return (++made, QByteArray("ｸﾘｯﾌﾟ\r\n")); });
  EXPECT_TRUE(data->hasFormat("text/plain"));
  EXPECT_FALSE(data->hasFormat("text/uri-list"));
  EXPECT_TRUE(data->data("text/uri-list").isEmpty());
  QtClipboard clipboard;
  clipboard.setMimeData(std::move(data));
  EXPECT_EQ(made, 0);
  EXPECT_EQ(clipboard.text(), QStringLiteral("ｸﾘｯﾌﾟ\r\n"));
  EXPECT_EQ(clipboard.text(), QStringLiteral("ｸﾘｯﾌﾟ\r\n"));
  EXPECT_EQ(made, 2);
}

TEST(FolderIsWritable, TellsFoldersThatTakeNewFiles) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  EXPECT_TRUE(FolderIsWritable(dir.path()));
  EXPECT_TRUE(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
      << "the probe file must not stay behind";
  QFile file(dir.filePath("plain.txt"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  for (const QString& path : {file.fileName(), dir.filePath("missing"), QString()})
    EXPECT_FALSE(FolderIsWritable(path)) << path.toStdString();

  if (geteuid() != 0) {  // permission bits do not stop root
    const QString locked = dir.filePath("locked");
    ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_FALSE(FolderIsWritable(locked));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
}

}  // namespace
}  // namespace serialix
