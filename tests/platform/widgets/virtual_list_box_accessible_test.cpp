#include "platform/widgets/virtual_list_box_accessible.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <climits>
#include <vector>

#include "platform/widgets/accessibility_events.h"
#include "platform/widgets/virtual_list_box.h"

namespace serialix {
namespace {

// "http://h/G-L" for G and L over 0..to: (to + 1)^2 rows.
AddressRun SquareRun(std::int32_t to) {
  AddressTemplate t;
  t.B = "h";
  t.C = "/";
  t.K = "-";
  t.G = t.L = Counter{true, 0, to, FillStyle::Plain};
  return AddressRun(t);
}

// Events the list sends, as assistive technology would receive them: type and the row's name.
std::vector<std::pair<QAccessible::Event, QString>> g_events;
void Record(QAccessibleEvent* event) {
  if (event->type() != QAccessible::Focus && event->type() != QAccessible::Selection) return;
  QAccessibleInterface* iface = event->accessibleInterface();
  g_events.emplace_back(event->type(), iface ? iface->text(QAccessible::Name) : QString());
}

class VirtualListBoxAccessibleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list.resize(300, 200);
    list.show();
    QApplication::setActiveWindow(&list);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    g_events.clear();
    SetAccessibilityEventSinkForTesting(Record);
  }
  void TearDown() override { SetAccessibilityEventSinkForTesting({}); }

  QAccessibleInterface* iface() { return QAccessible::queryAccessibleInterface(&list); }
  VirtualListBoxAccessible* listIface() { return dynamic_cast<VirtualListBoxAccessible*>(iface()); }
  int shown() const { return ShownRowCount(list); }

  VirtualListBox list;
};

TEST_F(VirtualListBoxAccessibleTest, IsAListWithAChildPerRowAtItsTruePosition) {
  list.setAccessibleName(QStringLiteral("結果一覧"));
  ASSERT_NE(listIface(), nullptr);
  EXPECT_EQ(iface()->role(), QAccessible::List);
  EXPECT_EQ(iface()->text(QAccessible::Name), "結果一覧");
  EXPECT_EQ(iface()->childCount(), 0);
  EXPECT_EQ(iface()->text(QAccessible::Description), "全 0 件");

  ASSERT_TRUE(list.appendRun(SquareRun(999)));  // 10^6 rows, far more than fit
  list.setAccessibleDescription(QStringLiteral("作ったアドレス"));
  EXPECT_EQ(iface()->text(QAccessible::Description), "作ったアドレス（全 1000000 件）");
  ASSERT_EQ(iface()->childCount(), 1'000'000);
  QAccessibleTableInterface* table = iface()->tableInterface();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->rowCount(), 1'000'000);
  list.setCurrentRow(500'000);  // scrolled to the middle
  for (int i : {0, 499'990, 500'000, 999'999}) {
    QAccessibleInterface* row = iface()->child(i);
    ASSERT_NE(row, nullptr) << i;
    EXPECT_EQ(row->text(QAccessible::Name), list.text(static_cast<std::uint64_t>(i)));
    EXPECT_EQ(iface()->indexOfChild(row), i);
    EXPECT_EQ(table->cellAt(i, 0), row);
    EXPECT_EQ(row->tableCellInterface()->rowIndex(), i);
    EXPECT_EQ(row->state().selected, i == 500'000) << i;
  }
  EXPECT_EQ(table->selectedRows(), QList<int>{500'000});
  QAccessibleInterface* shownRow = iface()->child(500'000);  // found under the pointer
  EXPECT_EQ(iface()->childAt(shownRow->rect().x() + 1, shownRow->rect().y() + 1), shownRow);
  EXPECT_EQ(iface()->child(1'000'000), nullptr);

  // A short list has only its own rows as children.
  list.clear();
  ASSERT_TRUE(list.appendRun(SquareRun(1)));
  ASSERT_EQ(iface()->childCount(), 4);
  EXPECT_EQ(iface()->child(3)->text(QAccessible::Name), "http://h/1-1");
}

TEST_F(VirtualListBoxAccessibleTest, ABillionRowsVisitedKeepABoundedNumberOfRowInterfaces) {
  ASSERT_TRUE(list.appendRun(SquareRun(31'622)));  // 1,000,014,129 rows
  ASSERT_EQ(iface()->childCount(), 1'000'014'129);
  std::vector<QAccessible::Id> issued;
  for (int step = 0; step < 2000; ++step) {
    const std::uint64_t row = list.count() / 2000 * static_cast<std::uint64_t>(step) + 7;
    list.setCurrentRow(row);
    ASSERT_EQ(iface()->tableInterface()->selectedRows(), QList<int>{static_cast<int>(row)});
    for (int i = 0; i < shown(); ++i) {
      issued.push_back(QAccessible::uniqueId(iface()->child(static_cast<int>(list.topRow()) + i)));
    }
    ASSERT_LE(listIface()->liveRowInterfaces(), VirtualListBoxAccessible::kRowCacheLimit) << "step " << step;
  }
  std::size_t alive = 0;
  for (QAccessible::Id id : issued) alive += QAccessible::accessibleInterface(id) != nullptr;
  EXPECT_LE(alive, VirtualListBoxAccessible::kRowCacheLimit) << "row interfaces of rows visited long ago are kept";

  // Past what an index can name, the count stops at INT_MAX and the description gives the total.
  ASSERT_TRUE(list.appendRun(SquareRun(31'622)));
  ASSERT_TRUE(list.appendRun(SquareRun(31'622)));
  EXPECT_EQ(iface()->childCount(), INT_MAX);
  EXPECT_EQ(iface()->text(QAccessible::Description), "全 3000042387 件");
}

TEST_F(VirtualListBoxAccessibleTest, AnnouncesTheRowTheSelectionMovesTo) {
  ASSERT_TRUE(list.appendRun(SquareRun(999)));
  list.setFocus();
  ASSERT_TRUE(list.hasFocus());
  g_events.clear();
  QTest::keyClick(&list, Qt::Key_Down);  // the first row
  QTest::keyClick(&list, Qt::Key_End);   // the last row, scrolled into view
  const std::vector<std::pair<QAccessible::Event, QString>> expected = {
      {QAccessible::Focus, "http://h/0-0"},
      {QAccessible::Selection, "http://h/0-0"},
      {QAccessible::Focus, "http://h/999-999"},
      {QAccessible::Selection, "http://h/999-999"},
  };
  EXPECT_EQ(g_events, expected);

  const int last = iface()->childCount() - 1;
  const QAccessible::State state = iface()->child(last)->state();
  EXPECT_TRUE(state.selected && state.focused);
  EXPECT_EQ(iface()->focusChild(), iface()->child(last));
  EXPECT_FALSE(iface()->child(0)->state().selected);

  // Without the focus a move is announced as a selection only.
  list.clearFocus();
  g_events.clear();
  list.setCurrentRow(list.topRow());
  ASSERT_EQ(g_events.size(), 1u);
  EXPECT_EQ(g_events[0].first, QAccessible::Selection);

  // Entering the list reads its selected row.
  g_events.clear();
  list.setFocus();
  QCoreApplication::processEvents();
  ASSERT_FALSE(g_events.empty());
  EXPECT_EQ(g_events.back(), std::make_pair(QAccessible::Focus, list.text(list.topRow())));

  // A row's action selects it, as a click does.
  auto* actions = iface()->child(static_cast<int>(list.topRow()) + 1)->actionInterface();
  ASSERT_NE(actions, nullptr);
  actions->doAction(QAccessibleActionInterface::setFocusAction());
  EXPECT_EQ(list.currentRow(), list.topRow() + 1);
}

}  // namespace
}  // namespace serialix
