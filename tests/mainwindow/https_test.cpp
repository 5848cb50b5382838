// Segment A's https choice: one action reached by lblA, the key and the window menu, read by
// everything that writes addresses, heard by screen readers and kept in set.ini.
#include <QAccessible>
#include <QAction>
#include <QMenu>

#include "main_window_fixture.h"
#include "platform/widgets/accessibility_events.h"
#include "support/files.h"

namespace serialix::testing {
namespace {

class HttpsTest : public MainWindowTest {
 protected:
  QAction* action() const { return w->findChild<QAction*>("actHttps"); }
  QAccessible::State heard() const { return QAccessible::queryAccessibleInterface(label("lblA"))->state(); }
  std::string iniText() const { return FileBytes(iniPath()); }
};

TEST_F(HttpsTest, LblATheKeyAndTheMenuToggleOneChoiceThatTheLabelShowsAndTells) {
  QLabel* lblA = label("lblA");
  const QRect designed = lblA->geometry();
  ASSERT_NE(action(), nullptr);
  EXPECT_EQ(action()->text(), "https:// で作成");
  EXPECT_EQ(action()->shortcut(), QKeySequence("Ctrl+Shift+H"));
  EXPECT_TRUE(w->WindowMenu()->actions().contains(action()));

  int announced = 0;
  SetAccessibilityEventSinkForTesting([&announced, lblA](QAccessibleEvent* e) {
    if (auto* c = dynamic_cast<QAccessibleStateChangeEvent*>(e); c && c->changedStates().checked)
      announced += e->object() == lblA;
  });
  const auto pressKey = [this](const char* focus) {
    control(focus)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
  };
  const struct {
    const char* how;
    std::function<void()> act;
    bool https;
  } steps[] = {
      {"click on lblA", [&] { QTest::mouseClick(lblA, Qt::LeftButton); }, true},
      {"click on lblA again", [&] { QTest::mouseClick(lblA, Qt::LeftButton); }, false},
      {"key in cmbB", [&] { pressKey("cmbB"); }, true},
      {"key in a counter", [&] { pressKey("cmbG(1)"); }, false},
      {"key in List1", [&] { pressKey("List1"); }, true},
      {"menu entry", [&] { action()->trigger(); }, false},
      {"pressed on lblA, released beside it",
       [&] {
         QTest::mousePress(lblA, Qt::LeftButton);
         QTest::mouseRelease(lblA, Qt::LeftButton, {}, QPoint(lblA->width() + 5, 2));
       },
       false},
      {"the public slot", [&] { w->chooseHttps(true); }, true},
  };
  bool was = false;
  for (const auto& step : steps) {
    SCOPED_TRACE(step.how);
    const QString texts = combo("cmbB")->currentText() + combo("cmbG(1)")->currentText();
    announced = 0;
    step.act();
    const QString scheme = step.https ? "https://" : "http://";
    EXPECT_EQ(w->httpsChosen(), step.https);
    EXPECT_EQ(action()->isChecked(), step.https);
    EXPECT_EQ(lblA->text(), scheme);
    EXPECT_EQ(lblA->accessibleName(), "先頭 " + scheme);
    EXPECT_TRUE(heard().checkable);
    EXPECT_EQ(heard().checked, step.https);
    EXPECT_EQ(announced, step.https != was ? 1 : 0);
    EXPECT_EQ(lblA->geometry(), designed);
    EXPECT_LE(QFontMetricsF(lblA->font()).horizontalAdvance(scheme), lblA->width());
    EXPECT_EQ(combo("cmbB")->currentText() + combo("cmbG(1)")->currentText(), texts) << "the key types nothing";
    was = step.https;
  }
  SetAccessibilityEventSinkForTesting({});
}

// The same template with https gives the http rows with the other scheme, wherever they go.
TEST_F(HttpsTest, TheRunTheCountTheCopyAndTheExportWriteHttps) {
  combo("cmbB")->setEditText("example.com");
  combo("cmbG(1)")->setEditText("3");
  button("cmdR")->click();
  QStringList expected;
  for (const QString& row : rows()) {
    ASSERT_TRUE(row.startsWith("http://"));
    expected << "https://" + row.mid(7);
  }
  ASSERT_EQ(expected.size(), 4);  // G from 0 to 3, J in step with it

  action()->trigger();
  const QString count = control("lblCount")->toolTip();
  EXPECT_TRUE(count.contains("最初: " + expected.front())) << count.toStdString();
  EXPECT_TRUE(count.contains("最後: " + expected.back())) << count.toStdString();

  button("cmdClear")->click();
  button("cmdR")->click();
  EXPECT_EQ(rows(), expected);
  const QString lines = expected.join("\r\n") + "\r\n";
  button("cmdCrip")->click();
  EXPECT_EQ(clipboard.held, lines);
  saveDialog.nextAnswers = {dir.filePath("list.txt")};
  button("cmdOut")->click();
  EXPECT_EQ(FileBytes(dir.filePath("list.txt").toStdString()), lines.toStdString());
}

TEST_F(HttpsTest, TheChoiceIsKeptInSetIniUnderAKeyOfItsOwn) {
  restart();
  EXPECT_EQ(iniText().find("Serialix"), std::string::npos) << "a file that never saw the choice gains nothing";
  const struct {
    bool https;
    const char* stored;
  } rounds[] = {{true, "[Serialix]\r\nHttps=1\r\n"}, {false, "[Serialix]\r\nHttps=0\r\n"}};
  for (const auto& round : rounds) {
    w->chooseHttps(round.https);
    restart();
    EXPECT_NE(iniText().find(round.stored), std::string::npos) << iniText();
    EXPECT_EQ(w->httpsChosen(), round.https);
    EXPECT_EQ(label("lblA")->text(), round.https ? "https://" : "http://");
  }
}

}  // namespace
}  // namespace serialix::testing
