#include "main_window_fixture.h"

namespace serialix::testing {
namespace {

using HistoryTest = MainWindowTest;

TEST_F(HistoryTest, DeleteButtonFollowsTheText) {
  EXPECT_FALSE(w->cmdListC1->isEnabled());
  w->cmbB->lineEdit()->setFocus();
  QTest::keyClicks(w->cmbB->lineEdit(), "x");
  EXPECT_TRUE(w->cmdListC1->isEnabled());
  QTest::keyClick(w->cmbB->lineEdit(), Qt::Key_Backspace);
  EXPECT_FALSE(w->cmdListC1->isEnabled());
}

TEST_F(HistoryTest, DeleteRemovesTheFirstEqualEntryAndKeepsTheText) {
  ASSERT_EQ(w->cmbK->currentText(), "~");
  QTest::mouseClick(w->cmdListC2, Qt::LeftButton);
  EXPECT_EQ(items(w->cmbK), QStringList({"-", "_", "."}));
  EXPECT_EQ(w->cmbK->currentText(), "~");
  EXPECT_FALSE(w->cmdListC2->isEnabled());

  // Only the first of two equal entries goes.
  w->cmbB->addItem("x");
  w->cmbB->addItem("y");
  w->cmbB->addItem("x");
  w->cmbB->setEditText("x");
  QTest::mouseClick(w->cmdListC1, Qt::LeftButton);
  EXPECT_EQ(items(w->cmbB), QStringList({"y", "x"}));
}

TEST_F(HistoryTest, TextWithoutAnEqualEntryIsCleared) {
  for (const char* text : {"MPG", "mpg "}) {
    w->cmbN->setEditText(text);
    QTest::mouseClick(w->cmdListC3, Qt::LeftButton);
    EXPECT_EQ(w->cmbN->currentText(), "") << text;
    EXPECT_FALSE(w->cmdListC3->isEnabled());
    EXPECT_EQ(w->cmbN->count(), 5);
  }
  w->cmbB->setEditText("host");  // no entries at all
  QTest::mouseClick(w->cmdListC1, Qt::LeftButton);
  EXPECT_EQ(w->cmbB->currentText(), "");
  EXPECT_FALSE(w->cmdListC1->isEnabled());
}

TEST_F(HistoryTest, HistoriesAndPositionSurviveARestart) {
  w->cmbB->setEditText("host1");
  QTest::mouseClick(w->cmdR, Qt::LeftButton);
  w->cmbB->setEditText("host2");
  QTest::mouseClick(w->cmdR, Qt::LeftButton);
  while (w->cmbK->count() > 0) {
    w->cmbK->setEditText(w->cmbK->itemText(0));
    QTest::mouseClick(w->cmdListC2, Qt::LeftButton);
  }
  w->move(65, 40);
  restart();
  EXPECT_EQ(items(w->cmbB), QStringList({"host1", "host2"}));
  EXPECT_EQ(w->cmbK->count(), 0);  // no defaults once the file exists
  EXPECT_EQ(items(w->cmbN), QStringList({"mpg", "mpeg", "mov", "rm", "ram"}));
  EXPECT_EQ(w->pos(), QPoint(65, 40));
}

}  // namespace
}  // namespace serialix::testing
