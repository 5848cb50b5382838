#include <gtest/gtest.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QTemporaryDir>

#include "platform/clipboard.h"
#include "platform/japanese_font.h"
#include "platform/on_demand_mime_data.h"
#include "platform/pictures.h"
#include "platform/program_folder.h"

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

TEST(JapaneseUiFont, AsksForTheJapaneseFaceAndFallsBackToAnInstalledOne) {
  const QFont font = JapaneseUiFont();
  ASSERT_FALSE(font.families().isEmpty());
  EXPECT_EQ(font.families().at(0), QStringLiteral("ＭＳ Ｐゴシック"));
  const QFontMetrics metrics(font);
  for (char16_t c : {u'あ', u'ｸ', u'削', u'～'}) EXPECT_TRUE(metrics.inFontUcs4(c)) << int(c);
}

struct Ink {
  int red = 0, grey = 0, black = 0;
};

Ink Count(const QImage& image) {
  Ink ink;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 150 && c.green() < 90 && c.blue() < 90)
        ++ink.red;
      else if (c.red() > 60 && std::abs(c.red() - c.green()) < 20 && std::abs(c.green() - c.blue()) < 20)
        ++ink.grey;
      else if (c == Qt::black)
        ++ink.black;
    }
  return ink;
}

TEST(Pictures, LogoAndIconsAreRedOnBlackAtEachSize) {
  const QImage logo = LogoPicture().toImage();
  ASSERT_EQ(logo.size(), QSize(77, 41));
  for (QPoint corner : {QPoint(0, 0), QPoint(76, 0), QPoint(0, 40), QPoint(76, 40)})
    EXPECT_EQ(logo.pixelColor(corner), QColor(Qt::black));
  const Ink ink = Count(logo);
  EXPECT_GT(ink.red, 77 * 41 / 10);
  EXPECT_GT(ink.grey, 20);  // the letters' shadow
  EXPECT_GT(ink.black, 77 * 41 / 2);

  const QList<QSize> sizes = ApplicationIcon().availableSizes();
  for (int side : {16, 32, 48}) {
    EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
    const Ink icon = Count(ApplicationIcon().pixmap(side, side).toImage());
    EXPECT_GT(icon.red, side * side / 10) << side;
    EXPECT_GT(icon.black, side * side / 4) << side;
  }
  const QImage about = IconPicture().toImage();
  EXPECT_EQ(about.size(), QSize(32, 32));
  EXPECT_GT(Count(about).red, 32 * 32 / 10);
}

}  // namespace
}  // namespace serialix
