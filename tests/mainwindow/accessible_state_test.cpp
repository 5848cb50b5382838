// What a screen reader is told about state: the link switches, the combo boxes' entries, the
// count label, and the hints on the segment switches.
#include <QAccessible>
#include <QLabel>
#include <algorithm>
#include <vector>

#include "main_window_fixture.h"
#include "platform/accessibility_events.h"

namespace serialix::testing {
namespace {

// Checked-state changes raised while one is alive, by object.
struct CheckedChanges {
  static inline std::vector<QObject*> objects;
  CheckedChanges() {
    objects.clear();
    SetAccessibilityEventSinkForTesting([](QAccessibleEvent* event) {
      if (event->type() == QAccessible::StateChanged &&
          static_cast<QAccessibleStateChangeEvent*>(event)->changedStates().checked) {
        objects.push_back(event->object());
      }
    });
  }
  ~CheckedChanges() { SetAccessibilityEventSinkForTesting({}); }
  static auto count(QObject* object) { return std::count(objects.begin(), objects.end(), object); }
};

class AccessibleStateTest : public MainWindowTest {
 protected:
  static QAccessibleInterface* iface(QObject* object) { return QAccessible::queryAccessibleInterface(object); }
};

TEST_F(AccessibleStateTest, LinkSwitchesAreCheckedExactlyWhileTheyShowEquals) {
  for (const char* name : {"Check1", "Check2"}) {
    auto* link = control<QPushButton>(name);
    SCOPED_TRACE(name);
    const auto expectShows = [&](const QString& caption) {
      EXPECT_EQ(link->text(), caption);
      EXPECT_EQ(iface(link)->state().checked, caption == "=");
      EXPECT_TRUE(iface(link)->state().checkable);
    };
    expectShows("=");
    CheckedChanges changes;
    link->click();
    expectShows("≠");
    EXPECT_EQ(CheckedChanges::count(link), 1);
    link->click();
    expectShows("=");
    EXPECT_EQ(iface(link)->text(QAccessible::Name),
              QString(name) == "Check1" ? "テキスト I を F に連動" : "カウンター J を G に連動");
  }
  // Switching G off releases the counter link without a click on it; the switch says so.
  auto* link = control<QPushButton>("Check2");
  CheckedChanges changes;
  control<QCheckBox>("CheckG")->click();
  EXPECT_EQ(link->text(), "≠");
  EXPECT_FALSE(iface(link)->state().checked);
  EXPECT_EQ(CheckedChanges::count(link), 1);
}

TEST_F(AccessibleStateTest, CombosKeepTheirNameListAndActionAndTellTheirEntry) {
  auto* letter = control<QComboBox>("cmbD");
  letter->setCurrentIndex(letter->findText("q"));
  QAccessibleInterface* combo = iface(letter);
  EXPECT_EQ(combo, iface(letter));  // one interface per combo, as Qt caches it
  EXPECT_EQ(combo->role(), QAccessible::ComboBox);
  EXPECT_EQ(combo->text(QAccessible::Name), "文字 D");
  EXPECT_EQ(combo->text(QAccessible::Value), "q");
  ASSERT_NE(combo->textInterface(), nullptr);
  EXPECT_EQ(combo->textInterface()->text(0, combo->textInterface()->characterCount()), "q");
  ASSERT_NE(combo->actionInterface(), nullptr);
  EXPECT_TRUE(combo->actionInterface()->actionNames().contains(QAccessibleActionInterface::showMenuAction()));
  // Qt's own list of the entries, whose parent is the combo.
  ASSERT_GE(combo->childCount(), 1);
  QAccessibleInterface* entries = combo->child(0);
  ASSERT_NE(entries, nullptr);
  EXPECT_EQ(entries->role(), QAccessible::List);
  EXPECT_EQ(entries->parent(), combo);
  EXPECT_EQ(combo->indexOfChild(entries), 0);

  // An editable combo: its name, its typed text, and its edit field as a child.
  auto* host = control<QComboBox>("cmbB");
  typeInto(host, "example.com");
  EXPECT_EQ(iface(host)->text(QAccessible::Name), "ホスト");
  EXPECT_EQ(iface(host)->text(QAccessible::Value), "example.com");
  bool hasEdit = false;
  for (int i = 0; i < iface(host)->childCount(); ++i) hasEdit |= iface(host)->child(i)->object() == host->lineEdit();
  EXPECT_TRUE(hasEdit);
}

// Qt raises the name-changed event itself (scripts/accessibility-dump shows it).
TEST_F(AccessibleStateTest, CountLabelIsNamedByItsText) {
  auto* label = control<QLabel>("lblCount");
  EXPECT_EQ(iface(label)->text(QAccessible::Name), "次回 1 件 / 一覧 0 件");
  EXPECT_TRUE(iface(label)->text(QAccessible::Description).contains("最初と最後: http:////0/0~0.mpg"));
  CheckedChanges changes;
  control<QComboBox>("cmbG(1)")->setEditText("35");
  EXPECT_EQ(iface(label)->text(QAccessible::Name), "次回 36 件 / 一覧 0 件");
  EXPECT_TRUE(iface(label)->text(QAccessible::Description).contains("最後: http:////35/35~0.mpg"));
}

TEST_F(AccessibleStateTest, SegmentSwitchesNameTheirSegmentInTheirTooltip) {
  const QString letters = "CDEFGHIJKLMN";
  for (QChar letter : letters) {
    auto* check = control<QCheckBox>(QStringLiteral("Check%1").arg(letter));
    EXPECT_EQ(check->toolTip(), check->accessibleName());
    EXPECT_TRUE(check->toolTip().contains(QStringLiteral(" %1 を使う").arg(letter))) << check->toolTip().toStdString();
  }
}

}  // namespace
}  // namespace serialix::testing
