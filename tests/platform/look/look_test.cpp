#include <gtest/gtest.h>
#include <QColor>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <cstdlib>

#include "platform/look/fitted_caption.h"
#include "platform/look/japanese_font.h"
#include "platform/look/pictures.h"

namespace serialix {
namespace {

TEST(JapaneseUiFont, AsksForTheJapaneseFaceAndFallsBackToAnInstalledOne) {
  const QFont font = JapaneseUiFont();
  EXPECT_EQ(QFontInfo(font).family(), font.family());  // the face named is the face drawn
  const QFontMetrics metrics(font);
  for (char16_t c : {u'あ', u'ｸ', u'削', u'～'}) EXPECT_TRUE(metrics.inFontUcs4(c)) << int(c);
}

TEST(JapaneseUiFont, TakesTheFirstInstalledFaceInTheDesignedOrder) {
  const struct {
    QStringList installed, japanese;
    QString chosen;
  } cases[] = {{{"IPAPGothic", "ＭＳ Ｐゴシック"}, {"IPAPGothic"}, "ＭＳ Ｐゴシック"},
               {{"Noto Sans CJK JP", "ms pgothic"}, {}, "MS PGothic"},  // by its English name
               {{"Noto Sans CJK JP", "IPAPGothic", "VL Gothic"}, {"VL Gothic"}, "IPAPGothic"},
               {{"DejaVu Sans", "VL Gothic"}, {"VL Gothic"}, "VL Gothic"}};
  for (const auto& c : cases) {
    const auto installed = [&](const QString& name) { return c.installed.contains(name, Qt::CaseInsensitive); };
    EXPECT_EQ(JapaneseFamily(installed, c.japanese), c.chosen) << c.installed.join(", ").toStdString();
  }
}

// The predicted size is the one a search down from the designed size finds, for any width.
TEST(FitLabelFont, GivesTheLargestHalfPointSizeThatFits) {
  for (const QString& caption : {QStringLiteral("http://"), QStringLiteral("https://")}) {
    for (int width = 8; width <= 90; width += 3) {
      QLabel label;
      label.resize(width, 17);
      FitLabelFont(&label, caption, JapaneseUiFont());
      QFont searched = JapaneseUiFont();
      while (searched.pointSizeF() > 6 && QFontMetricsF(searched).horizontalAdvance(caption) > width - 1)
        searched.setPointSizeF(searched.pointSizeF() - 0.5);
      EXPECT_EQ(label.font().pointSizeF(), searched.pointSizeF()) << caption.toStdString() << " in " << width;
    }
  }
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
