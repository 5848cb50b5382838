#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/clipboard.h"
#include "platform/japanese_font.h"
#include "platform/pictures.h"
#include "platform/program_folder.h"

namespace serialix {
namespace {

TEST(QtClipboard, TextRoundTripsAndClears) {
  QtClipboard clipboard;
  const QString texts[] = {QStringLiteral("a\r\nb\r\n"), QStringLiteral("http://例え.jp/ｿﾌﾄ/001.mpg\r\n"), QString()};
  for (const QString& text : texts) {
    clipboard.setText(text);
    EXPECT_EQ(clipboard.text(), text);
  }
  clipboard.setText(QStringLiteral("x"));
  clipboard.clear();
  EXPECT_EQ(clipboard.text(), QString());
}

TEST(ProgramFolder, IsTheFolderOfTheRunningProgram) {
  EXPECT_EQ(ProgramFolder(), QCoreApplication::applicationDirPath());
  EXPECT_TRUE(QDir(ProgramFolder()).exists());
}

TEST(FolderIsWritable, TellsFoldersThatTakeNewFiles) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  EXPECT_TRUE(FolderIsWritable(dir.path()));
  EXPECT_TRUE(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
      << "the probe file must not stay behind";

  const QString file = dir.filePath("plain.txt");
  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();
  EXPECT_FALSE(FolderIsWritable(file));
  EXPECT_FALSE(FolderIsWritable(dir.filePath("missing")));
  EXPECT_FALSE(FolderIsWritable(QString()));

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
  ASSERT_GE(font.families().size(), 3);
  EXPECT_EQ(font.families().at(0), QStringLiteral("ＭＳ Ｐゴシック"));
  EXPECT_EQ(font.families().at(1), QStringLiteral("IPAPGothic"));
  EXPECT_EQ(font.families().at(2), QStringLiteral("Noto Sans CJK JP"));
  EXPECT_EQ(font.pointSize(), 12);
  EXPECT_EQ(font.weight(), QFont::Normal);
  EXPECT_FALSE(font.italic());
  const QFontMetrics metrics(font);
  for (char16_t c : {u'あ', u'ｸ', u'削', u'～'}) EXPECT_TRUE(metrics.inFontUcs4(c)) << int(c);
}

bool IsReddish(QColor c) { return c.red() > 150 && c.green() < 90 && c.blue() < 90; }
bool IsGreyish(QColor c) {
  return c.red() > 60 && std::abs(c.red() - c.green()) < 20 && std::abs(c.green() - c.blue()) < 20;
}

struct Ink {
  int red = 0, grey = 0, black = 0;
};

Ink Count(const QImage& image) {
  Ink ink;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (IsReddish(c)) ++ink.red;
      else if (IsGreyish(c)) ++ink.grey;
      else if (c == Qt::black) ++ink.black;
    }
  return ink;
}

TEST(Pictures, LogoIsRedLettersWithAGreyShadowOnBlack) {
  const QImage logo = LogoPicture().toImage();
  ASSERT_EQ(logo.size(), QSize(77, 41));
  for (QPoint corner : {QPoint(0, 0), QPoint(76, 0), QPoint(0, 40), QPoint(76, 40)})
    EXPECT_EQ(logo.pixelColor(corner), QColor(Qt::black));
  const Ink ink = Count(logo);
  EXPECT_GT(ink.red, 77 * 41 / 10);
  EXPECT_GT(ink.grey, 20);
  EXPECT_GT(ink.black, 77 * 41 / 2);
}

TEST(Pictures, IconHasItsOwnImageForEachSize) {
  const QIcon icon = ApplicationIcon();
  const QList<QSize> sizes = icon.availableSizes();
  for (int side : {16, 32, 48}) {
    EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
    const Ink ink = Count(icon.pixmap(side, side).toImage());
    EXPECT_GT(ink.red, side * side / 10) << side;
    EXPECT_GT(ink.black, side * side / 4) << side;
  }
  const QImage about = IconPicture().toImage();
  EXPECT_EQ(about.size(), QSize(32, 32));
  EXPECT_GT(Count(about).red, 32 * 32 / 10);
}

}  // namespace
}  // namespace serialix
