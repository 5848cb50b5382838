#include <gtest/gtest.h>
#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QTest>

#include "platform/widgets/virtual_list_box.h"

namespace serialix {
namespace {

AddressRun ThreeRows() {
  AddressTemplate t;
  t.B = "WWWWWWWWWWWWWWWWWWWW";
  t.G = Counter{true, 1, 3, FillStyle::Plain};
  return AddressRun(t);
}

QPalette DarkPalette() {
  QPalette dark;
  dark.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
  dark.setColor(QPalette::WindowText, QColor(0xe0, 0xe0, 0xe0));
  dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
  dark.setColor(QPalette::Text, QColor(0xf0, 0xf0, 0xf0));
  dark.setColor(QPalette::Highlight, QColor(0x20, 0x60, 0xc0));
  dark.setColor(QPalette::HighlightedText, QColor(0xff, 0xff, 0x00));
  return dark;
}

// Whether any pixel of the row (in viewport coordinates) has exactly the colour.
bool RowHas(const QImage& image, int top, int height, const QColor& colour) {
  for (int y = top; y < top + height; ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelColor(x, y) == colour) return true;
    }
  }
  return false;
}

// Row 0 plain, row 1 selected, below the rows the empty list.
TEST(VirtualListBoxLook, PaintsWithThePaletteItIsGiven) {
  const struct {
    const char* name;
    QPalette palette;
  } cases[] = {{"light (default)", QApplication::palette()}, {"dark", DarkPalette()}};
  for (const auto& c : cases) {
    VirtualListBox list;
    list.setPalette(c.palette);
    list.resize(300, 120);
    list.show();
    QApplication::setActiveWindow(&list);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    ASSERT_TRUE(list.appendRun(ThreeRows()));
    list.setCurrentRow(1);
    const QImage image = list.viewport()->grab().toImage();
    const int h = list.rowHeight();
    const QPalette& p = c.palette;
    EXPECT_EQ(image.pixelColor(image.width() - 2, h / 2), p.color(QPalette::Base)) << c.name;
    EXPECT_TRUE(RowHas(image, 0, h, p.color(QPalette::Text))) << c.name;
    EXPECT_EQ(image.pixelColor(image.width() - 2, h + h / 2), p.color(QPalette::Highlight)) << c.name;
    EXPECT_TRUE(RowHas(image, h, h, p.color(QPalette::HighlightedText))) << c.name;
    EXPECT_EQ(image.pixelColor(image.width() / 2, 3 * h + 2), p.color(QPalette::Base)) << c.name;
  }
  // The light look stays white with black text.
  EXPECT_EQ(QApplication::palette().color(QPalette::Base), QColor(Qt::white));
  EXPECT_EQ(QApplication::palette().color(QPalette::Text), QColor(Qt::black));
}

}  // namespace
}  // namespace serialix
