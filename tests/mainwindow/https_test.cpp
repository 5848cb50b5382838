// Segment A's https choice: one action that lblA, the key and the menu toggle, read by all.
#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QRegularExpression>

#include "main_window_fixture.h"
#include "support/files.h"

namespace serialix::testing {
namespace {

using HttpsTest = MainWindowTest;

TEST_F(HttpsTest, LblATheKeyAndTheMenuToggleOneChoiceThatTheLabelShowsAndTells) {
  QLabel* lblA = label("lblA");
  auto* action = w->findChild<QAction*>("actHttps");
  ASSERT_TRUE(action && w->WindowMenu()->actions().contains(action));
  const auto key = [](QWidget* focus) { QTest::keyClick(focus, Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier); };
  const std::pair<std::function<void()>, bool> steps[] = {
      {[&] { QTest::mouseClick(lblA, Qt::LeftButton); }, true},
      {[&] { QTest::mouseClick(lblA, Qt::LeftButton); }, false},
      {[&] { key(combo("cmbG(1)")->lineEdit()); }, true},
      {[&] { key(list()); }, false},
      {[&] { action->trigger(); }, true},  // the menu entry
      {[&] {
         QTest::mousePress(lblA, Qt::LeftButton);
         QTest::mouseRelease(lblA, Qt::LeftButton, {}, {-5, 2});
       },
       true},  // released beside lblA: no click
  };
  for (const auto& [act, https] : steps) {
    act();
    const QString scheme = https ? "https://" : "http://";
    EXPECT_EQ(w->httpsChosen(), https);
    EXPECT_EQ(lblA->text(), scheme);
    EXPECT_EQ(lblA->accessibleName(), "先頭 " + scheme);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(lblA)->state().checked, https);
    EXPECT_LE(QFontMetricsF(lblA->font()).horizontalAdvance(scheme), lblA->width()) << "cmbB would cover it";
  }
}

// The same template with https gives the http rows with the other scheme, wherever they go.
TEST_F(HttpsTest, TheRunTheCountTheExportAndTheNextStartKeepHttps) {
  combo("cmbB")->setEditText("example.com");
  combo("cmbG(1)")->setEditText("3");
  button("cmdR")->click();
  const QStringList expected = rows().replaceInStrings(QRegularExpression("^http://"), "https://");
  ASSERT_EQ(expected.filter("https://").size(), 4);
  w->chooseHttps(true);
  EXPECT_TRUE(control("lblCount")->toolTip().contains("最後: " + expected.back()));
  button("cmdClear")->click();
  button("cmdR")->click();
  EXPECT_EQ(rows(), expected);
  saveDialog.nextAnswers = {dir.filePath("list.txt")};
  button("cmdOut")->click();
  EXPECT_EQ(FileBytes(dir.filePath("list.txt").toStdString()), (expected.join("\r\n") + "\r\n").toStdString());
  restart();
  EXPECT_TRUE(w->httpsChosen());
}

}  // namespace
}  // namespace serialix::testing
