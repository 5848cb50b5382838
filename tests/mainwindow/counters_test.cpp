#include <QClipboard>
#include <QGuiApplication>

#include "main_window_fixture.h"

namespace serialix::testing {
namespace {

using CountersTest = MainWindowTest;

TEST_F(CountersTest, KeyFilterAdmitsDigitsAndEditingKeysOnly) {
  QComboBox* c = w->cmbL[0];
  c->setEditText("");
  // Keys go to the focused combo, which hands them to its line edit, as with a real keyboard.
  c->setFocus();
  QTest::keyClicks(c, "a-. /:1b2");
  EXPECT_EQ(c->currentText(), "12");
  QTest::keyClick(c, Qt::Key_Backspace);
  EXPECT_EQ(c->currentText(), "1");

  QGuiApplication::clipboard()->setText("345");
  QTest::keyClick(c, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(c, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(c->currentText(), "1");

  c->setEditText("789");
  QTest::keyClick(c, Qt::Key_Home);
  QTest::keyClick(c, Qt::Key_Delete);
  EXPECT_EQ(c->currentText(), "89");
  QTest::keyClick(c, Qt::Key_End);
  QTest::keyClick(c, Qt::Key_Left);
  QTest::keyClicks(c, "0");
  EXPECT_EQ(c->currentText(), "809");
  EXPECT_FALSE(c->lineEdit()->testAttribute(Qt::WA_InputMethodEnabled));
}

TEST_F(CountersTest, LinkedTypingInGFromCarriesIntoJAndOrders) {
  w->cmbG[0]->setEditText("1");
  w->cmbG[1]->setEditText("3");
  typeInto(w->cmbG[0], "7");
  EXPECT_EQ(w->cmbG[0]->currentText(), "7");
  EXPECT_EQ(w->cmbJ[0]->currentText(), "7");
  EXPECT_EQ(w->cmbG[1]->currentText(), "7");
  EXPECT_EQ(w->cmbJ[1]->currentText(), "7");
}

TEST_F(CountersTest, UnlinkedTypingInGLeavesJAlone) {
  QTest::mouseClick(w->Check2, Qt::LeftButton);
  w->cmbJ[0]->setEditText("2");
  w->cmbJ[1]->setEditText("4");
  w->cmbG[0]->setEditText("1");
  w->cmbG[1]->setEditText("3");
  typeInto(w->cmbG[0], "7");
  EXPECT_EQ(w->cmbG[1]->currentText(), "7");
  EXPECT_EQ(w->cmbJ[0]->currentText(), "2");
  EXPECT_EQ(w->cmbJ[1]->currentText(), "4");
}

TEST_F(CountersTest, OrderingRuleRunsForTheFromComboOnly) {
  QTest::mouseClick(w->Check2, Qt::LeftButton);
  w->cmbJ[0]->setEditText("1");
  w->cmbJ[1]->setEditText("3");
  w->cmbJ[0]->lineEdit()->setFocus();
  QTest::keyClick(w->cmbJ[0], Qt::Key_End);
  QTest::keyClicks(w->cmbJ[0], "5");
  EXPECT_EQ(w->cmbJ[1]->currentText(), "15");
  QTest::keyClick(w->cmbJ[0], Qt::Key_Backspace);
  EXPECT_EQ(w->cmbJ[0]->currentText(), "1");
  EXPECT_EQ(w->cmbJ[1]->currentText(), "15");  // lowering from never lowers to

  w->cmbL[0]->setEditText("15");
  typeInto(w->cmbL[1], "2");
  EXPECT_EQ(w->cmbL[1]->currentText(), "2");  // to below from stays as entered
}

TEST_F(CountersTest, PickingFromTheListOrdersWithLeadingZeros) {
  QTest::mouseClick(w->Check2, Qt::LeftButton);
  w->opt1[2]->setChecked(true);
  w->cmbG[1]->setEditText("010");
  w->cmbG[0]->setCurrentIndex(50);
  emit w->cmbG[0]->activated(50);
  EXPECT_EQ(w->cmbG[0]->currentText(), "050");
  EXPECT_EQ(w->cmbG[1]->currentText(), "050");
}

TEST_F(CountersTest, LongAndOddFromTextsNeverBreakTheOrder) {
  w->cmbL[1]->setEditText("5");
  w->cmbL[0]->setEditText("123456789012345678901234567890");
  EXPECT_EQ(w->cmbL[1]->currentText(), "123456789012345678901234567890");
  w->cmbL[1]->setEditText("5");
  w->cmbL[0]->setEditText("12x");  // pasted non-digits: to left alone
  EXPECT_EQ(w->cmbL[1]->currentText(), "5");
}

TEST_F(CountersTest, EmptiedComboRefillsWithTheZeroTextOfItsStyle) {
  const std::pair<int, const char*> styles[] = {{1, "00"}, {2, "000"}, {0, "0"}};
  for (const auto& [option, zero] : styles) {
    w->opt3[option]->setChecked(true);
    w->cmbL[0]->lineEdit()->setFocus();
    w->cmbL[0]->setEditText("");
    w->txtF->setFocus();
    EXPECT_EQ(w->cmbL[0]->currentText(), zero) << option;
  }
  // A non-empty text is left as it is.
  w->opt3[2]->setChecked(true);
  w->cmbL[0]->lineEdit()->setFocus();
  w->cmbL[0]->setEditText("5");
  w->txtF->setFocus();
  EXPECT_EQ(w->cmbL[0]->currentText(), "5");
}

TEST_F(CountersTest, FillStyleOfLinkedGRerendersBothCounters) {
  w->cmbG[0]->setEditText("1");
  w->cmbG[1]->setEditText("12");
  QTest::mouseClick(w->opt1[1], Qt::LeftButton);
  EXPECT_TRUE(w->opt2[1]->isChecked());
  EXPECT_EQ(w->cmbG[0]->currentText(), "01");
  EXPECT_EQ(w->cmbG[1]->currentText(), "12");
  EXPECT_EQ(w->cmbJ[0]->currentText(), "01");
  EXPECT_EQ(w->cmbJ[1]->currentText(), "12");
  for (auto* c : {w->cmbG[0], w->cmbG[1], w->cmbJ[0], w->cmbJ[1]}) {
    ASSERT_EQ(c->count(), 100);
    EXPECT_EQ(c->itemText(99), "99");
  }
  EXPECT_EQ(w->cmbL[0]->count(), 1000);  // L untouched
  EXPECT_TRUE(w->optFrom.isEmpty() && w->optTo.isEmpty() && w->optCounter.isEmpty());
}

TEST_F(CountersTest, FillStyleConversionsFollowTheCharacterRules) {
  QTest::mouseClick(w->Check2, Qt::LeftButton);
  w->cmbL[0]->setEditText("5");
  w->cmbL[1]->setEditText("120");
  QTest::mouseClick(w->opt3[2], Qt::LeftButton);
  EXPECT_EQ(w->cmbL[0]->currentText(), "005");
  EXPECT_EQ(w->cmbL[1]->currentText(), "120");
  QTest::mouseClick(w->opt3[0], Qt::LeftButton);
  EXPECT_EQ(w->cmbL[0]->currentText(), "5");

  w->cmbJ[0]->setEditText("007");
  w->cmbJ[1]->setEditText("1234");
  QTest::mouseClick(w->opt2[1], Qt::LeftButton);
  EXPECT_EQ(w->cmbJ[0]->currentText(), "07");
  EXPECT_EQ(w->cmbJ[1]->currentText(), "1234");
  QTest::mouseClick(w->opt2[0], Qt::LeftButton);
  EXPECT_EQ(w->cmbJ[0]->currentText(), "7");
  EXPECT_EQ(w->cmbG[0]->currentText(), "0");  // G untouched by J's style
  EXPECT_EQ(w->cmbG[0]->count(), 1000);
}

TEST_F(CountersTest, UnlinkedStyleOfGLeavesJsLists) {
  QTest::mouseClick(w->Check2, Qt::LeftButton);
  QTest::mouseClick(w->opt1[1], Qt::LeftButton);
  EXPECT_TRUE(w->opt2[0]->isChecked());
  EXPECT_EQ(w->cmbJ[0]->count(), 1000);
  EXPECT_EQ(w->cmbG[0]->count(), 100);
}

}  // namespace
}  // namespace serialix::testing
