#include "platform/widgets/virtual_list_box_accessible.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <vector>

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
    SetListBoxEventSinkForTesting(Record);
  }
  void TearDown() override { SetListBoxEventSinkForTesting({}); }

  QAccessibleInterface* iface() { return QAccessible::queryAccessibleInterface(&list); }
  VirtualListBoxAccessible* listIface() { return dynamic_cast<VirtualListBoxAccessible*>(iface()); }
  int shown() const { return ShownRowCount(list); }

  VirtualListBox list;
};

TEST_F(VirtualListBoxAccessibleTest, IsAListOfTheShownRowsNamedByTheirAddresses) {
  list.setAccessibleName(QStringLiteral("結果一覧"));
  ASSERT_NE(listIface(), nullptr);
  EXPECT_EQ(iface()->role(), QAccessible::List);
  EXPECT_EQ(iface()->text(QAccessible::Name), "結果一覧");
  EXPECT_EQ(iface()->childCount(), 0);
  EXPECT_EQ(iface()->text(QAccessible::Description), "全 0 件");

  ASSERT_TRUE(list.appendRun(SquareRun(999)));  // 10^6 rows, far more than fit
  list.setAccessibleDescription(QStringLiteral("作ったアドレス"));
  EXPECT_EQ(iface()->text(QAccessible::Description), "作ったアドレス（全 1000000 件）");
  ASSERT_EQ(iface()->childCount(), shown());
  for (int i = 0; i < shown(); ++i) {
    QAccessibleInterface* row = iface()->child(i);
    ASSERT_NE(row, nullptr) << i;
    EXPECT_EQ(row->role(), QAccessible::ListItem);
    EXPECT_EQ(row->text(QAccessible::Name), list.text(static_cast<std::uint64_t>(i)));
    EXPECT_EQ(row->parent(), iface());
    EXPECT_EQ(iface()->indexOfChild(row), i);
    EXPECT_EQ(iface()->childAt(row->rect().x() + 1, row->rect().y() + 1), row) << i;
  }
  EXPECT_EQ(iface()->child(shown()), nullptr);
  EXPECT_EQ(iface()->child(-1), nullptr);

  // A short list has only its own rows as children.
  list.clear();
  ASSERT_TRUE(list.appendRun(SquareRun(1)));
  ASSERT_EQ(iface()->childCount(), 4);
  EXPECT_EQ(iface()->child(3)->text(QAccessible::Name), "http://h/1-1");
}

TEST_F(VirtualListBoxAccessibleTest, ScrollingABillionRowsKeepsOnlyTheShownRowInterfaces) {
  ASSERT_TRUE(list.appendRun(SquareRun(31'622)));  // about 10^9 rows
  std::vector<QAccessible::Id> issued;
  for (int step = 0; step < 200; ++step) {
    list.setCurrentRow(list.count() / 200 * static_cast<std::uint64_t>(step) + 7);
    for (int i = 0; i < iface()->childCount(); ++i) issued.push_back(QAccessible::uniqueId(iface()->child(i)));
    ASSERT_LE(listIface()->liveRowInterfaces(), static_cast<std::size_t>(shown())) << "step " << step;
  }
  int alive = 0;
  for (QAccessible::Id id : issued) alive += QAccessible::accessibleInterface(id) != nullptr;
  EXPECT_LE(alive, shown()) << "row interfaces of rows scrolled away are still registered";

  // The one that remain speak for the rows now on screen.
  QAccessibleInterface* first = iface()->child(0);
  EXPECT_EQ(first->text(QAccessible::Name), list.text(list.topRow()));
  EXPECT_TRUE(first->state().selected || list.currentRow() != list.topRow());
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
  auto* actions = iface()->child(1)->actionInterface();
  ASSERT_NE(actions, nullptr);
  actions->doAction(QAccessibleActionInterface::setFocusAction());
  EXPECT_EQ(list.currentRow(), list.topRow() + 1);
}

}  // namespace
}  // namespace serialix
