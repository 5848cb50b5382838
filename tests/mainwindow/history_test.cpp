#include "main_window_fixture.h"

namespace serialix::testing {
namespace {

using HistoryTest = MainWindowTest;

TEST_F(HistoryTest, DeleteButtonFollowsTheText) {
  EXPECT_FALSE(button("cmdListC1")->isEnabled());
  combo("cmbB")->lineEdit()->setFocus();
  QTest::keyClicks(combo("cmbB")->lineEdit(), "x");
  EXPECT_TRUE(button("cmdListC1")->isEnabled());
  QTest::keyClick(combo("cmbB")->lineEdit(), Qt::Key_Backspace);
  EXPECT_FALSE(button("cmdListC1")->isEnabled());
}

TEST_F(HistoryTest, DeleteRemovesTheFirstEqualEntryAndKeepsTheText) {
  ASSERT_EQ(combo("cmbK")->currentText(), "~");
  QTest::mouseClick(button("cmdListC2"), Qt::LeftButton);
  EXPECT_EQ(items(combo("cmbK")), QStringList({"-", "_", "."}));
  EXPECT_EQ(combo("cmbK")->currentText(), "~");
  EXPECT_FALSE(button("cmdListC2")->isEnabled());

  // Only the first of two equal entries goes.
  combo("cmbB")->addItem("x");
  combo("cmbB")->addItem("y");
  combo("cmbB")->addItem("x");
  combo("cmbB")->setEditText("x");
  QTest::mouseClick(button("cmdListC1"), Qt::LeftButton);
  EXPECT_EQ(items(combo("cmbB")), QStringList({"y", "x"}));
}

TEST_F(HistoryTest, TextWithoutAnEqualEntryIsCleared) {
  for (const char* text : {"MPG", "mpg "}) {
    combo("cmbN")->setEditText(text);
    QTest::mouseClick(button("cmdListC3"), Qt::LeftButton);
    EXPECT_EQ(combo("cmbN")->currentText(), "") << text;
    EXPECT_FALSE(button("cmdListC3")->isEnabled());
    EXPECT_EQ(combo("cmbN")->count(), 5);
  }
  combo("cmbB")->setEditText("host");  // no entries at all
  QTest::mouseClick(button("cmdListC1"), Qt::LeftButton);
  EXPECT_EQ(combo("cmbB")->currentText(), "");
  EXPECT_FALSE(button("cmdListC1")->isEnabled());
}

TEST_F(HistoryTest, HistoriesAndPositionSurviveARestart) {
  combo("cmbB")->setEditText("host1");
  QTest::mouseClick(button("cmdR"), Qt::LeftButton);
  combo("cmbB")->setEditText("host2");
  QTest::mouseClick(button("cmdR"), Qt::LeftButton);
  while (combo("cmbK")->count() > 0) {
    combo("cmbK")->setEditText(combo("cmbK")->itemText(0));
    QTest::mouseClick(button("cmdListC2"), Qt::LeftButton);
  }
  w->move(65, 40);
  restart();
  EXPECT_EQ(items(combo("cmbB")), QStringList({"host1", "host2"}));
  EXPECT_EQ(combo("cmbK")->count(), 0);  // no defaults once the file exists
  EXPECT_EQ(items(combo("cmbN")), QStringList({"mpg", "mpeg", "mov", "rm", "ram"}));
  EXPECT_EQ(w->pos(), QPoint(65, 40));
}

}  // namespace
}  // namespace serialix::testing
