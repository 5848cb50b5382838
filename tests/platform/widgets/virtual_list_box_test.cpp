#include "platform/widgets/virtual_list_box.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QContextMenuEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

namespace serialix {
namespace {

// "http://example.com/G/J-L.jpg" for every combination of three counters over 0..to.
AddressRun CubeRun(std::int32_t to) {
  AddressTemplate t;
  t.B = "example.com";
  t.C = t.H = "/";
  t.K = "-";
  t.M = ".";
  t.N = "jpg";
  t.G = t.J = t.L = Counter{true, 0, to, FillStyle::Plain};
  return AddressRun(t);
}

constexpr std::uint64_t kBillion = 1'000'000'000;
constexpr std::uint64_t kQuintillion = 1'000'000'000'000'000'000;

class VirtualListBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list.resize(300, 200);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
  }
  QScrollBar* bar() { return list.verticalScrollBar(); }
  std::uint64_t visible() const { return static_cast<std::uint64_t>(list.visibleRowCount()); }
  void key(Qt::Key k) { QTest::keyClick(&list, k); }
  void click(int y) { QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, y)); }
  void wheel(QWidget* target, int delta) {
    const QPointF at(5, 5);
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
  }
  void expectSelected(std::uint64_t row) {
    ASSERT_EQ(list.currentRow(), row);
    EXPECT_GE(row, list.topRow()) << "selection above the shown rows";
    EXPECT_LT(row - list.topRow(), visible()) << "selection below the shown rows";
  }

  VirtualListBox list;
};

TEST_F(VirtualListBoxTest, HoldsABillionRowsReadByPositionAndRefusesOverflow) {
  ASSERT_TRUE(list.appendRun(CubeRun(999)));
  ASSERT_TRUE(list.appendRun(CubeRun(0)));
  EXPECT_EQ(list.count(), kBillion + 1);
  const std::pair<std::uint64_t, QString> rows[] = {{0, "http://example.com/0/0-0.jpg"},
                                                    {1'000, "http://example.com/0/1-0.jpg"},
                                                    {kBillion + 1, ""},
                                                    {kBillion - 1, "http://example.com/999/999-999.jpg"},
                                                    {kBillion, "http://example.com/0/0-0.jpg"}};
  for (const auto& [row, text] : rows) EXPECT_EQ(list.text(row), text) << row;
  EXPECT_EQ(bar()->maximum(), static_cast<int>(kBillion + 1 - visible()));

  list.clear();
  for (int i = 0; i < 9; ++i) ASSERT_TRUE(list.appendRun(CubeRun(999'999)));
  EXPECT_FALSE(list.appendRun(CubeRun(999'999)));  // 10^19 > 2^63 - 1
  EXPECT_EQ(list.count(), 9 * kQuintillion);
}

TEST_F(VirtualListBoxTest, KeysMoveTheSelectionAndKeepItVisible) {
  ASSERT_TRUE(list.appendRun(CubeRun(999)));
  const std::uint64_t page = visible() - 1, last = kBillion - 1;
  const std::pair<Qt::Key, std::uint64_t> steps[] = {
      // the key and the row selected after it
      {Qt::Key_Down, 0},  // nothing selected yet: the first row
      {Qt::Key_Up, 0},
      {Qt::Key_Down, 1},
      {Qt::Key_End, last},
      {Qt::Key_Down, last},
      {Qt::Key_PageUp, last - page},
      {Qt::Key_Home, 0},
      {Qt::Key_PageDown, page},
      {Qt::Key_PageDown, 2 * page},
      {Qt::Key_PageUp, page},
  };
  for (const auto& [k, row] : steps) {
    key(k);
    expectSelected(row);
  }
  key(Qt::Key_End);
  EXPECT_EQ(list.topRow(), kBillion - visible());
  EXPECT_EQ(bar()->value(), bar()->maximum());

  QSignalSpy changed(&list, &VirtualListBox::currentRowChanged);
  list.clear();
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(list.count(), 0u);
  EXPECT_FALSE(list.currentRow().has_value());
  EXPECT_EQ(list.topRow(), 0u);
  EXPECT_EQ(bar()->maximum(), 0);
  key(Qt::Key_End);  // nothing to select
  EXPECT_FALSE(list.currentRow().has_value());
}

TEST_F(VirtualListBoxTest, ClickSelectsTheRowUnderThePointer) {
  ASSERT_TRUE(list.appendRun(CubeRun(999)));
  const int h = list.rowHeight();
  click(3 * h + h / 2);
  EXPECT_EQ(list.currentRow(), 3u);
  list.setCurrentRow(500'000);
  expectSelected(500'000);
  const std::uint64_t top = list.topRow();
  click(2 * h + 1);
  EXPECT_EQ(list.currentRow(), top + 2);

  list.clear();
  ASSERT_TRUE(list.appendRun(CubeRun(0)));  // a single row
  list.setCurrentRow(0);
  list.setCurrentRow(1);  // past the end: ignored
  QSignalSpy changed(&list, &VirtualListBox::currentRowChanged);
  click(5 * h);  // below the last row
  EXPECT_EQ(list.currentRow(), 0u);
  EXPECT_EQ(changed.count(), 0);
}

// What a context menu and the single-address commands rely on.
TEST_F(VirtualListBoxTest, MenuRequestsAndActivationComeFromMouseAndKeys) {
  QSignalSpy menu(&list, &VirtualListBox::contextMenuRequested);
  QSignalSpy activated(&list, &VirtualListBox::activated);
  const int h = list.rowHeight();
  auto menuAt = [&] { return menu.takeLast().at(0).toPoint(); };
  auto rowCentre = [&](std::uint64_t row) {
    return list.viewport()->mapToGlobal(QPoint(2, static_cast<int>(row - list.topRow()) * h + h / 2));
  };

  QTest::keyClick(&list, Qt::Key_F10, Qt::ShiftModifier);  // an empty list still offers the menu
  ASSERT_EQ(menu.count(), 1);
  EXPECT_EQ(menuAt(), list.viewport()->mapToGlobal(QPoint(2, 0)));
  key(Qt::Key_Return);  // nothing selected: nothing to activate
  EXPECT_EQ(activated.count(), 0);

  ASSERT_TRUE(list.appendRun(CubeRun(999)));
  list.setCurrentRow(700'000'000);
  for (Qt::Key k : {Qt::Key_Return, Qt::Key_Enter}) {
    key(k);
    ASSERT_EQ(activated.count(), 1);
    EXPECT_EQ(activated.takeLast().at(0).value<std::uint64_t>(), 700'000'000u);
  }

  // The keyboard menu opens at the selected row, scrolled back into view first.
  wheel(list.viewport(), -120 * 50);
  ASSERT_GT(list.topRow(), 700'000'000u);
  key(Qt::Key_Menu);
  expectSelected(700'000'000);
  ASSERT_EQ(menu.count(), 1);
  EXPECT_EQ(menuAt(), rowCentre(700'000'000));

  // X11 sends the Menu key as a keyboard context event followed by the key itself: one request.
  QContextMenuEvent fromKey(QContextMenuEvent::Keyboard, QPoint(1, 1), QPoint(900, 900));
  QApplication::sendEvent(list.viewport(), &fromKey);
  key(Qt::Key_Menu);
  ASSERT_EQ(menu.count(), 1);
  EXPECT_EQ(menuAt(), rowCentre(700'000'000));

  // The right button selects the row under the pointer and asks at the pointer.
  const QPoint third(20, 3 * h + h / 2);
  QTest::mousePress(list.viewport(), Qt::RightButton, Qt::NoModifier, third);
  QContextMenuEvent fromMouse(QContextMenuEvent::Mouse, third, list.viewport()->mapToGlobal(third));
  QApplication::sendEvent(list.viewport(), &fromMouse);
  EXPECT_EQ(list.currentRow(), list.topRow() + 3);
  ASSERT_EQ(menu.count(), 1);
  EXPECT_EQ(menuAt(), list.viewport()->mapToGlobal(third));

  QTest::mouseDClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, h + h / 2));
  ASSERT_EQ(activated.count(), 1);
  EXPECT_EQ(activated.takeLast().at(0).value<std::uint64_t>(), list.topRow() + 1);
  EXPECT_EQ(list.currentRow(), list.topRow() + 1);

  list.clear();
  ASSERT_TRUE(list.appendRun(CubeRun(0)));
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 5 * h));  // below the rows
  EXPECT_EQ(activated.count(), 0);
}

TEST_F(VirtualListBoxTest, WheelScrollsByLinesOverTheRowsAndTheBar) {
  ASSERT_TRUE(list.appendRun(CubeRun(999'999)));  // bar in proportional range
  const auto lines = static_cast<std::uint64_t>(QApplication::wheelScrollLines());
  wheel(list.viewport(), -120);
  EXPECT_EQ(list.topRow(), lines);
  wheel(list.viewport(), -60);  // half a notch waits for the other half
  EXPECT_EQ(list.topRow(), lines);
  wheel(bar(), -60);
  EXPECT_EQ(list.topRow(), 2 * lines);
  wheel(bar(), 5 * 120);
  EXPECT_EQ(list.topRow(), 0u);
  EXPECT_FALSE(list.currentRow().has_value());
}

TEST_F(VirtualListBoxTest, ScrollBarIsExactWithinIntRange) {
  ASSERT_TRUE(list.appendRun(CubeRun(9)));  // 1000 rows
  const int lastTop = 1000 - list.visibleRowCount();
  EXPECT_EQ(bar()->maximum(), lastTop);
  for (int value : {0, 1, 500, lastTop}) {
    bar()->setValue(value);
    EXPECT_EQ(list.topRow(), static_cast<std::uint64_t>(value));
  }
  list.resize(300, 400);  // more rows fit: the last ones move down
  QApplication::processEvents();
  EXPECT_EQ(list.topRow(), 1000 - visible());
  EXPECT_EQ(bar()->value(), bar()->maximum());
}

TEST_F(VirtualListBoxTest, ScrollBarMapsHugeCountsProportionally) {
  ASSERT_TRUE(list.appendRun(CubeRun(999'999)));
  const std::uint64_t lastTop = kQuintillion - visible();
  EXPECT_EQ(bar()->maximum(), INT_MAX);
  bar()->triggerAction(QAbstractSlider::SliderToMaximum);  // dragged to the bottom
  EXPECT_EQ(list.topRow(), lastTop);
  bar()->setValue(INT_MAX / 2);
  const std::uint64_t half = list.topRow();
  const std::uint64_t unit = lastTop / INT_MAX + 1;  // rows per bar unit
  EXPECT_LT(half > lastTop / 2 ? half - lastTop / 2 : lastTop / 2 - half, unit);

  // Arrow and page steps of the bar move by rows, not by bar units.
  const std::pair<QAbstractSlider::SliderAction, std::uint64_t> steps[] = {
      {QAbstractSlider::SliderSingleStepAdd, half + 1},
      {QAbstractSlider::SliderPageStepAdd, half + visible()},
      {QAbstractSlider::SliderPageStepSub, half + 1},
      {QAbstractSlider::SliderSingleStepSub, half}};
  for (const auto& [action, top] : steps) {
    bar()->triggerAction(action);
    EXPECT_EQ(list.topRow(), top) << action;
  }
  key(Qt::Key_End);
  expectSelected(kQuintillion - 1);
  EXPECT_EQ(bar()->value(), INT_MAX);
  EXPECT_EQ(list.text(kQuintillion - 1), "http://example.com/999999/999999-999999.jpg");
  key(Qt::Key_Home);
  EXPECT_EQ(list.topRow(), 0u);
  EXPECT_EQ(bar()->value(), 0);
}

TEST_F(VirtualListBoxTest, PaintsTheSelectedRowHighlightedOnWhite) {
  ASSERT_TRUE(list.appendRun(CubeRun(999'999)));
  list.setCurrentRow(1);
  const QImage image = list.viewport()->grab().toImage();
  const int h = list.rowHeight(), x = list.viewport()->width() - 3;  // right of the text
  EXPECT_EQ(image.pixelColor(x, h + h / 2), list.palette().color(QPalette::Highlight));
  EXPECT_EQ(image.pixelColor(x, h / 2), QColor(Qt::white));
  bool inked = false;  // the first row's text
  for (int px = 0; px < 60; ++px)
    for (int py = 0; py < h; ++py) inked = inked || image.pixelColor(px, py) != QColor(Qt::white);
  EXPECT_TRUE(inked);
}

}  // namespace
}  // namespace serialix
