// What a screen reader is told of the links, combo boxes, count label and segment switches.
#include <QAccessible>
#include <QLabel>

#include "main_window_fixture.h"
#include "platform/widgets/accessibility_events.h"

namespace serialix::testing {
namespace {

QAccessibleInterface* iface(QObject* object) {
  return QAccessible::queryAccessibleInterface(object);
}

using AccessibleStateTest = MainWindowTest;

TEST_F(AccessibleStateTest, LinkSwitchesAreCheckedExactlyWhileTheyShowEquals) {
  std::vector<QObject*> changed;  // objects whose checked state was announced
  SetAccessibilityEventSinkForTesting([&changed](QAccessibleEvent* e) {
    if (auto* c = dynamic_cast<QAccessibleStateChangeEvent*>(e); c && c->changedStates().checked)
      changed.push_back(e->object());
  });
  for (QAbstractButton* link : {button("Check1"), button("Check2")}) {
    // Click, click again, and for the counter link also G switched off, which releases it.
    QAbstractButton* third = link == button("Check2") ? check("CheckG") : link;
    for (QAbstractButton* clicked : {link, link, third}) {
      const bool wasChecked = iface(link)->state().checked;
      EXPECT_EQ(wasChecked, link->text() == "=");
      changed.clear();
      clicked->click();
      EXPECT_EQ(iface(link)->state().checked, link->text() == "=") << link->objectName().toStdString();
      EXPECT_EQ(std::count(changed.begin(), changed.end(), link), iface(link)->state().checked != wasChecked ? 1 : 0);
    }
  }
  SetAccessibilityEventSinkForTesting({});
  EXPECT_EQ(button("Check2")->text(), "≠");
}

TEST_F(AccessibleStateTest, CombosKeepTheirNameListAndActionAndTellTheirEntry) {
  combo("cmbD")->setCurrentText("q");  // as picked from its list
  QAccessibleInterface* box = iface(combo("cmbD"));
  EXPECT_EQ(box->text(QAccessible::Name), "文字 D");
  EXPECT_EQ(box->text(QAccessible::Value), "q");
  ASSERT_NE(box->textInterface(), nullptr);
  EXPECT_EQ(box->textInterface()->text(0, box->textInterface()->characterCount()), "q");
  ASSERT_NE(box->actionInterface(), nullptr);
  EXPECT_TRUE(box->actionInterface()->actionNames().contains(QAccessibleActionInterface::showMenuAction()));
  ASSERT_GE(box->childCount(), 1);  // Qt's own list of the entries
  EXPECT_EQ(box->child(0)->role(), QAccessible::List);
  EXPECT_EQ(box->child(0)->parent(), box);
  typeInto(combo("cmbB"), "example.com");
  EXPECT_EQ(iface(control("cmbB"))->text(QAccessible::Value), "example.com");
}

// Qt raises the name-changed event itself (scripts/accessibility-dump shows it).
TEST_F(AccessibleStateTest, CountLabelIsNamedByItsText) {
  QLabel* count = label("lblCount");
  EXPECT_EQ(iface(count)->text(QAccessible::Name), "次回 1 件 / 一覧 0 件");
  combo("cmbG(1)")->setEditText("35");
  EXPECT_EQ(iface(count)->text(QAccessible::Name), "次回 36 件 / 一覧 0 件");
  EXPECT_TRUE(iface(count)->text(QAccessible::Description).contains("最後: http:////35/35~0.mpg"));
}

TEST_F(AccessibleStateTest, SegmentSwitchesNameTheirSegmentInTheirTooltip) {
  for (QChar letter : QStringLiteral("CDEFGHIJKLMN")) {
    QCheckBox* box = check(QStringLiteral("Check%1").arg(letter));
    EXPECT_EQ(box->toolTip(), box->accessibleName());
    EXPECT_TRUE(box->toolTip().contains(QStringLiteral(" %1 を使う").arg(letter))) << box->toolTip().toStdString();
  }
}

}  // namespace
}  // namespace serialix::testing
