// What a screen reader and a keyboard-only user meet: names in the accessibility tree, Enter and
// the shortcuts, Tab into the fill-style groups, and the window while the About dialog is open.
#include <QAccessible>
#include <QDialog>
#include <QMap>

#include "main_window_fixture.h"

namespace serialix::testing {
namespace {

bool isControl(const QAccessibleInterface* iface) {
  switch (iface->role()) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::List:
    case QAccessible::Graphic: return true;
    default: return iface->state().focusable;
  }
}

// Every control below the window, as assistive technology walks it; a combo or list is one
// control (its popup, line edit and rows are its own parts). Returns control texts by object name.
void walk(QAccessibleInterface* iface, QMap<QString, QString>& names, QStringList& faults) {
  for (int i = 0; i < iface->childCount(); ++i) {
    QAccessibleInterface* child = iface->child(i);
    if (!child || !child->isValid()) continue;
    const QString object = child->object() ? child->object()->objectName() : QString();
    if (isControl(child)) {
      const QString name = child->text(QAccessible::Name);
      if (name.trimmed().isEmpty()) faults << object + ": no name";
      const QString other = names.key(name);
      if (!name.isEmpty() && !other.isEmpty()) faults << object + " and " + other + ": both \"" + name + "\"";
      names.insert(object, name);
      if (child->role() == QAccessible::ComboBox || child->role() == QAccessible::List) continue;
    }
    walk(child, names, faults);
  }
}

class AccessibilityKeyboardTest : public MainWindowTest {
 protected:
  // The open About dialog, or null.
  static QDialog* about() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top->objectName() == "frmAbout" && top->isVisible()) return qobject_cast<QDialog*>(top);
    }
    return nullptr;
  }
};

TEST_F(AccessibilityKeyboardTest, EveryControlHasAUniqueNameAndADescription) {
  QMap<QString, QString> names;
  QStringList faults;
  walk(QAccessible::queryAccessibleInterface(w.get()), names, faults);
  EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
  // Every widget that takes focus was met by the walk; each says what it does.
  for (QWidget* widget : w->findChildren<QWidget*>()) {
    if (widget->focusPolicy() == Qt::NoFocus || qobject_cast<QComboBox*>(widget->parentWidget())) continue;
    if (widget->window() != w.get()) continue;  // popups
    EXPECT_TRUE(names.contains(widget->objectName())) << widget->objectName().toStdString();
    EXPECT_FALSE(widget->accessibleDescription().isEmpty()) << widget->objectName().toStdString();
  }
  EXPECT_GE(names.size(), 45);  // the tab order alone has 45
  EXPECT_EQ(names.value("cmbB"), "ホスト");
  EXPECT_EQ(names.value("cmbG(1)"), "カウンター G 終了値");
  EXPECT_EQ(names.value("opt1(1)"), "カウンター G 2 桁 (01)");
  EXPECT_EQ(names.value("List1"), "結果一覧");

  QTest::keyClick(w.get(), Qt::Key_F1);
  ASSERT_NE(about(), nullptr);
  QMap<QString, QString> aboutNames;
  faults.clear();
  walk(QAccessible::queryAccessibleInterface(about()), aboutNames, faults);
  EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
  EXPECT_TRUE(aboutNames.contains("cmdOK") && aboutNames.contains("cmdSysInfo") && aboutNames.contains("picIcon"));
  about()->reject();
}

TEST_F(AccessibilityKeyboardTest, EnterInEachFieldOfTheAddressRowRunsOnceAndInsertsNothing) {
  const char* const fields[] = {"cmbB", "cmbD", "txtF", "cmbG(0)", "cmbG(1)", "txtI", "cmbK", "cmbL(0)", "cmbN"};
  std::uint64_t expected = 0;
  for (const char* name : fields) {
    SCOPED_TRACE(name);
    auto* field = FindControl<QWidget>(w.get(), name);
    auto* box = qobject_cast<QComboBox*>(field);
    const int entries = box ? box->count() : 0;
    const QString text = box ? box->currentText() : QString();
    field->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(list()->count(), ++expected);
    if (box && box != combo("cmbB") && box != combo("cmbK") && box != combo("cmbN")) {
      EXPECT_EQ(box->count(), entries);  // the run remembers the history combos' texts, nothing else
      EXPECT_EQ(box->currentText(), text);
    }
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AccessibilityKeyboardTest, ShortcutsPressTheirButtonsAndAreNamedInTooltipAndDescription) {
  const struct {
    const char* button;
    const char* keys;
  } named[] = {
      {"cmdClear", "Ctrl+L"}, {"cmdCrip", "Ctrl+Shift+C"}, {"cmdOut", "Ctrl+S"}, {"cmdHelp", "F1"}, {"cmdR", "Enter"}};
  for (const auto& n : named) {
    EXPECT_TRUE(button(n.button)->toolTip().contains(QStringLiteral("(%1)").arg(n.keys))) << n.button;
    EXPECT_TRUE(button(n.button)->accessibleDescription().contains(QStringLiteral("(%1)").arg(n.keys))) << n.button;
  }

  edit("txtF")->setFocus();
  QTest::keyClick(w.get(), Qt::Key_S, Qt::ControlModifier);  // nothing to write yet
  EXPECT_TRUE(saveDialog.requests.empty());
  button("cmdR")->click();
  QTest::keyClick(w.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(clipboard.held, "http:////0/0~0.mpg\r\n");
  QTest::keyClick(w.get(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(saveDialog.requests.size(), 1u);
  combo("cmbG(0)")->setFocus();  // the counter combos' key filter leaves the shortcut alone
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::ControlModifier);
  EXPECT_EQ(list()->count(), 0u);
  EXPECT_EQ(combo("cmbG(0)")->currentText(), "0");
}

TEST_F(AccessibilityKeyboardTest, TabEntersAFillStyleGroupOnItsSelectedOptionAndArrowsMoveWithin) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  option("opt1(1)")->click();
  option("opt3(2)")->click();
  auto tabFrom = [](QWidget* from, Qt::Key key) {
    from->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(QApplication::focusWidget(), key);
    return QApplication::focusWidget();
  };
  EXPECT_EQ(tabFrom(combo("cmbN"), Qt::Key_Tab), option("opt1(1)"));
  EXPECT_EQ(tabFrom(option("opt1(1)"), Qt::Key_Tab), option("opt3(2)"));  // J follows G: disabled
  EXPECT_EQ(tabFrom(combo("cmbK"), Qt::Key_Backtab), option("opt3(2)"));

  option("opt1(1)")->setFocus(Qt::TabFocusReason);
  QTest::keyClick(option("opt1(1)"), Qt::Key_Down);  // arrows move and select within the group
  EXPECT_EQ(QApplication::focusWidget(), option("opt1(2)"));
  EXPECT_TRUE(option("opt1(2)")->isChecked());
  EXPECT_EQ(tabFrom(combo("cmbN"), Qt::Key_Tab), option("opt1(2)"));
}

TEST_F(AccessibilityKeyboardTest, WhileAboutIsOpenTheWindowIgnoresCloseAndShortcuts) {
  QTest::keyClick(w.get(), Qt::Key_F1);
  ASSERT_NE(about(), nullptr);
  EXPECT_FALSE(w->isEnabled());
  EXPECT_FALSE(w->close());  // the window manager's close request
  EXPECT_TRUE(w->isVisible());
  button("cmdR")->click();
  QTest::keyClick(w.get(), Qt::Key_L, Qt::ControlModifier);
  EXPECT_EQ(list()->count(), 0u);

  QTest::keyClick(about(), Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_EQ(about(), nullptr);
  EXPECT_TRUE(w->isEnabled());
  EXPECT_TRUE(w->close());
}

}  // namespace
}  // namespace serialix::testing
