#include <gtest/gtest.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/services/clipboard.h"
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
