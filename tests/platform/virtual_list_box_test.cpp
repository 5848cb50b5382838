#include "platform/virtual_list_box.h"

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace serialix {
namespace {

Counter Range(std::int32_t from, std::int32_t to) { return Counter{true, from, to, FillStyle::Plain}; }

// "http://example.com/G/J-L.jpg" for every combination of the three counters.
AddressRun CubeRun(std::int32_t to) {
  AddressTemplate t;
  t.B = "example.com";
  t.C = "/";
  t.H = "/";
  t.K = "-";
  t.M = ".";
  t.N = "jpg";
  t.G = Range(0, to);
  t.J = Range(0, to);
  t.L = Range(0, to);
  return AddressRun(t);
}

AddressRun Billion() { return CubeRun(999); }          // 10^9 rows
AddressRun Quintillion() { return CubeRun(999999); }   // 10^18 rows

class VirtualListBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list.resize(300, 200);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
  }
  QScrollBar* bar() { return list.verticalScrollBar(); }
  void key(Qt::Key k) { QTest::keyClick(&list, k); }
  // Selected row must lie within the rows shown.
  void expectCurrentVisible() {
    ASSERT_TRUE(list.currentRow().has_value());
    const std::uint64_t row = *list.currentRow();
    EXPECT_GE(row, list.topRow());
    EXPECT_LT(row - list.topRow(), static_cast<std::uint64_t>(list.visibleRowCount()));
  }
  void wheel(int delta) {
    const QPointF at(10, 10);
    QWheelEvent event(at, list.viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list.viewport(), &event);
  }

  VirtualListBox list;
};

TEST_F(VirtualListBoxTest, BillionRowsReadByPosition) {
  ASSERT_TRUE(list.appendRun(Billion()));
  EXPECT_EQ(list.count(), 1'000'000'000u);
  EXPECT_EQ(list.text(0), QStringLiteral("http://example.com/0/0-0.jpg"));
  EXPECT_EQ(list.text(1), QStringLiteral("http://example.com/0/0-1.jpg"));
  EXPECT_EQ(list.text(1'000), QStringLiteral("http://example.com/0/1-0.jpg"));
  EXPECT_EQ(list.text(999'999'999), QStringLiteral("http://example.com/999/999-999.jpg"));
  EXPECT_EQ(list.text(1'000'000'000), QString());
  EXPECT_FALSE(list.currentRow().has_value());
  EXPECT_EQ(bar()->maximum(), 1'000'000'000 - list.visibleRowCount());
}

TEST_F(VirtualListBoxTest, SecondRunFollowsTheFirst) {
  ASSERT_TRUE(list.appendRun(CubeRun(1)));  // 8 rows
  ASSERT_TRUE(list.appendRun(CubeRun(0)));
  ASSERT_EQ(list.count(), 9u);
  EXPECT_EQ(list.text(7), QStringLiteral("http://example.com/1/1-1.jpg"));
  EXPECT_EQ(list.text(8), QStringLiteral("http://example.com/0/0-0.jpg"));
  EXPECT_EQ(list.rows().size(), 9u);
}

TEST_F(VirtualListBoxTest, OverflowingAppendChangesNothing) {
  for (int i = 0; i < 9; ++i) ASSERT_TRUE(list.appendRun(Quintillion()));
  const std::uint64_t before = list.count();
  EXPECT_EQ(before, 9'000'000'000'000'000'000u);
  EXPECT_FALSE(list.appendRun(Quintillion()));
  EXPECT_EQ(list.count(), before);
  EXPECT_EQ(list.text(before - 1), QStringLiteral("http://example.com/999999/999999-999999.jpg"));
}

TEST_F(VirtualListBoxTest, KeyboardNavigationKeepsSelectionVisible) {
  ASSERT_TRUE(list.appendRun(Billion()));
  const auto page = static_cast<std::uint64_t>(list.visibleRowCount() - 1);
  ASSERT_GT(page, 2u);

  key(Qt::Key_Down);  // no selection yet: the first row
  EXPECT_EQ(list.currentRow(), 0u);
  key(Qt::Key_Up);
  EXPECT_EQ(list.currentRow(), 0u);
  key(Qt::Key_Down);
  EXPECT_EQ(list.currentRow(), 1u);

  key(Qt::Key_End);
  EXPECT_EQ(list.currentRow(), 999'999'999u);
  expectCurrentVisible();
  EXPECT_EQ(list.topRow(), 1'000'000'000u - static_cast<std::uint64_t>(list.visibleRowCount()));
  EXPECT_EQ(bar()->value(), bar()->maximum());
  key(Qt::Key_Down);
  EXPECT_EQ(list.currentRow(), 999'999'999u);

  key(Qt::Key_PageUp);
  EXPECT_EQ(list.currentRow(), 999'999'999u - page);
  expectCurrentVisible();

  key(Qt::Key_Home);
  EXPECT_EQ(list.currentRow(), 0u);
  EXPECT_EQ(list.topRow(), 0u);
  EXPECT_EQ(bar()->value(), 0);

  key(Qt::Key_PageDown);
  EXPECT_EQ(list.currentRow(), page);
  key(Qt::Key_PageDown);
  EXPECT_EQ(list.currentRow(), 2 * page);
  expectCurrentVisible();
  EXPECT_EQ(list.topRow(), 2 * page - page);
  key(Qt::Key_PageUp);
  EXPECT_EQ(list.currentRow(), page);
  expectCurrentVisible();
}

TEST_F(VirtualListBoxTest, PageKeysStopAtTheEnds) {
  ASSERT_TRUE(list.appendRun(CubeRun(1)));  // 8 rows, fewer than a page
  key(Qt::Key_PageDown);
  EXPECT_EQ(list.currentRow(), 7u);
  key(Qt::Key_PageDown);
  EXPECT_EQ(list.currentRow(), 7u);
  key(Qt::Key_PageUp);
  EXPECT_EQ(list.currentRow(), 0u);
  EXPECT_EQ(list.topRow(), 0u);
}

TEST_F(VirtualListBoxTest, ClickSelectsTheRowUnderThePointer) {
  ASSERT_TRUE(list.appendRun(Billion()));
  const int h = list.rowHeight();
  QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 3 * h + h / 2));
  EXPECT_EQ(list.currentRow(), 3u);

  list.setCurrentRow(500'000);
  const std::uint64_t top = list.topRow();
  QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, h / 2));
  EXPECT_EQ(list.currentRow(), top);
  QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 2 * h + 1));
  EXPECT_EQ(list.currentRow(), top + 2);
}

TEST_F(VirtualListBoxTest, ClickBelowTheLastRowKeepsTheSelection) {
  ASSERT_TRUE(list.appendRun(CubeRun(0)));  // one row
  list.setCurrentRow(0);
  QSignalSpy changed(&list, &VirtualListBox::currentRowChanged);
  QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 5 * list.rowHeight()));
  EXPECT_EQ(list.currentRow(), 0u);
  EXPECT_EQ(changed.count(), 0);
}

TEST_F(VirtualListBoxTest, WheelScrollsWithoutSelecting) {
  ASSERT_TRUE(list.appendRun(Billion()));
  const auto lines = static_cast<std::uint64_t>(QApplication::wheelScrollLines());
  wheel(-120);
  EXPECT_EQ(list.topRow(), lines);
  EXPECT_EQ(bar()->value(), static_cast<int>(lines));
  wheel(-60);  // half a notch waits for the other half
  EXPECT_EQ(list.topRow(), lines);
  wheel(-60);
  EXPECT_EQ(list.topRow(), 2 * lines);
  wheel(3 * 120);
  EXPECT_EQ(list.topRow(), 0u);
  EXPECT_FALSE(list.currentRow().has_value());
}

TEST_F(VirtualListBoxTest, ClearResetsEverything) {
  ASSERT_TRUE(list.appendRun(Billion()));
  key(Qt::Key_End);
  QSignalSpy changed(&list, &VirtualListBox::currentRowChanged);
  list.clear();
  EXPECT_EQ(list.count(), 0u);
  EXPECT_TRUE(list.rows().empty());
  EXPECT_FALSE(list.currentRow().has_value());
  EXPECT_EQ(list.topRow(), 0u);
  EXPECT_EQ(bar()->maximum(), 0);
  EXPECT_EQ(changed.count(), 1);
  key(Qt::Key_End);  // nothing to select
  EXPECT_FALSE(list.currentRow().has_value());
  ASSERT_TRUE(list.appendRun(CubeRun(0)));
  EXPECT_EQ(list.text(0), QStringLiteral("http://example.com/0/0-0.jpg"));
}

TEST_F(VirtualListBoxTest, SelectionApi) {
  ASSERT_TRUE(list.appendRun(Billion()));
  QSignalSpy changed(&list, &VirtualListBox::currentRowChanged);
  list.setCurrentRow(123'456'789);
  EXPECT_EQ(list.currentRow(), 123'456'789u);
  expectCurrentVisible();
  list.setCurrentRow(123'456'789);  // same row: no second signal
  list.setCurrentRow(1'000'000'000);  // past the end: ignored
  EXPECT_EQ(list.currentRow(), 123'456'789u);
  list.clearSelection();
  EXPECT_FALSE(list.currentRow().has_value());
  EXPECT_EQ(changed.count(), 2);
}

TEST_F(VirtualListBoxTest, ScrollBarIsExactWithinIntRange) {
  ASSERT_TRUE(list.appendRun(CubeRun(9)));  // 1000 rows
  const int visible = list.visibleRowCount();
  EXPECT_EQ(bar()->maximum(), 1000 - visible);
  EXPECT_EQ(bar()->pageStep(), visible);
  for (int value : {0, 1, 500, 1000 - visible}) {
    bar()->setValue(value);
    EXPECT_EQ(list.topRow(), static_cast<std::uint64_t>(value));
  }
  bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(list.topRow(), static_cast<std::uint64_t>(1000 - visible));
}

TEST_F(VirtualListBoxTest, ScrollBarMapsHugeCountsProportionally) {
  ASSERT_TRUE(list.appendRun(Quintillion()));
  const std::uint64_t count = 1'000'000'000'000'000'000u;
  const auto visible = static_cast<std::uint64_t>(list.visibleRowCount());
  const std::uint64_t lastTop = count - visible;
  EXPECT_EQ(bar()->maximum(), INT_MAX);

  // Dragging the bar to the bottom shows the last row, to the top the first.
  bar()->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(list.topRow(), lastTop);
  bar()->setSliderPosition(0);
  EXPECT_EQ(list.topRow(), 0u);
  bar()->setValue(INT_MAX / 2);
  const std::uint64_t half = list.topRow();
  EXPECT_GT(half, lastTop / 2 - lastTop / INT_MAX - 1);
  EXPECT_LT(half, lastTop / 2 + lastTop / INT_MAX + 1);

  // Arrow and page steps of the bar move by rows, not by billions of rows.
  bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(list.topRow(), half + 1);
  bar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(list.topRow(), half + 1 + (visible - 1));
  bar()->triggerAction(QAbstractSlider::SliderPageStepSub);
  bar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(list.topRow(), half);

  QTest::keyClick(&list, Qt::Key_End);
  EXPECT_EQ(list.currentRow(), count - 1);
  EXPECT_EQ(list.topRow(), lastTop);
  EXPECT_EQ(bar()->value(), INT_MAX);
  EXPECT_EQ(list.text(count - 1), QStringLiteral("http://example.com/999999/999999-999999.jpg"));
  QTest::keyClick(&list, Qt::Key_Up);
  EXPECT_EQ(list.currentRow(), count - 2);
  EXPECT_EQ(list.topRow(), lastTop);
  QTest::keyClick(&list, Qt::Key_Home);
  EXPECT_EQ(list.topRow(), 0u);
  EXPECT_EQ(bar()->value(), 0);
}

TEST_F(VirtualListBoxTest, GrowingTheBoxPullsTheLastRowsDown) {
  ASSERT_TRUE(list.appendRun(CubeRun(9)));
  key(Qt::Key_End);
  list.resize(300, 400);
  QApplication::processEvents();
  EXPECT_EQ(list.topRow(), 1000u - static_cast<std::uint64_t>(list.visibleRowCount()));
  expectCurrentVisible();
  EXPECT_EQ(bar()->value(), bar()->maximum());
}

TEST_F(VirtualListBoxTest, PaintsTheSelectedRowHighlightedOnWhite) {
  ASSERT_TRUE(list.appendRun(Quintillion()));
  list.setCurrentRow(1);
  const QImage image = list.viewport()->grab().toImage();
  const int h = list.rowHeight();
  const QColor highlight = list.palette().color(QPalette::Highlight);
  // Right edge of a row: away from the text.
  const int x = list.viewport()->width() - 3;
  EXPECT_EQ(image.pixelColor(x, h + h / 2), highlight);
  EXPECT_EQ(image.pixelColor(x, h / 2), QColor(Qt::white));
  // Some text is drawn in the first row.
  bool inked = false;
  for (int px = 0; px < 60 && !inked; ++px)
    for (int py = 0; py < h && !inked; ++py) inked = image.pixelColor(px, py) != QColor(Qt::white);
  EXPECT_TRUE(inked);
}

}  // namespace
}  // namespace serialix
