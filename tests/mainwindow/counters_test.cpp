#include <QClipboard>
#include <QGuiApplication>

#include "main_window_fixture.h"

namespace serialix::testing {
namespace {

using CountersTest = MainWindowTest;

TEST_F(CountersTest, KeyFilterAdmitsDigitsAndEditingKeysOnly) {
  QComboBox* c = combo("cmbL(0)");
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
  combo("cmbG(0)")->setEditText("1");
  combo("cmbG(1)")->setEditText("3");
  typeInto(combo("cmbG(0)"), "7");
  EXPECT_EQ(combo("cmbG(0)")->currentText(), "7");
  EXPECT_EQ(combo("cmbJ(0)")->currentText(), "7");
  EXPECT_EQ(combo("cmbG(1)")->currentText(), "7");
  EXPECT_EQ(combo("cmbJ(1)")->currentText(), "7");
}

TEST_F(CountersTest, UnlinkedTypingInGLeavesJAlone) {
  QTest::mouseClick(button("Check2"), Qt::LeftButton);
  combo("cmbJ(0)")->setEditText("2");
  combo("cmbJ(1)")->setEditText("4");
  combo("cmbG(0)")->setEditText("1");
  combo("cmbG(1)")->setEditText("3");
  typeInto(combo("cmbG(0)"), "7");
  EXPECT_EQ(combo("cmbG(1)")->currentText(), "7");
  EXPECT_EQ(combo("cmbJ(0)")->currentText(), "2");
  EXPECT_EQ(combo("cmbJ(1)")->currentText(), "4");
}

TEST_F(CountersTest, OrderingRuleRunsForTheFromComboOnly) {
  QTest::mouseClick(button("Check2"), Qt::LeftButton);
  combo("cmbJ(0)")->setEditText("1");
  combo("cmbJ(1)")->setEditText("3");
  combo("cmbJ(0)")->lineEdit()->setFocus();
  QTest::keyClick(combo("cmbJ(0)"), Qt::Key_End);
  QTest::keyClicks(combo("cmbJ(0)"), "5");
  EXPECT_EQ(combo("cmbJ(1)")->currentText(), "15");
  QTest::keyClick(combo("cmbJ(0)"), Qt::Key_Backspace);
  EXPECT_EQ(combo("cmbJ(0)")->currentText(), "1");
  EXPECT_EQ(combo("cmbJ(1)")->currentText(), "15");  // lowering from never lowers to

  combo("cmbL(0)")->setEditText("15");
  typeInto(combo("cmbL(1)"), "2");
  EXPECT_EQ(combo("cmbL(1)")->currentText(), "2");  // to below from stays as entered
}

TEST_F(CountersTest, PickingFromTheListOrdersWithLeadingZeros) {
  QTest::mouseClick(button("Check2"), Qt::LeftButton);
  option("opt1(2)")->setChecked(true);
  combo("cmbG(1)")->setEditText("010");
  combo("cmbG(0)")->setCurrentIndex(50);
  emit combo("cmbG(0)")->activated(50);
  EXPECT_EQ(combo("cmbG(0)")->currentText(), "050");
  EXPECT_EQ(combo("cmbG(1)")->currentText(), "050");
}

TEST_F(CountersTest, LongAndOddFromTextsNeverBreakTheOrder) {
  combo("cmbL(1)")->setEditText("5");
  combo("cmbL(0)")->setEditText("123456789012345678901234567890");
  EXPECT_EQ(combo("cmbL(1)")->currentText(), "123456789012345678901234567890");
  combo("cmbL(1)")->setEditText("5");
  combo("cmbL(0)")->setEditText("12x");  // pasted non-digits: to left alone
  EXPECT_EQ(combo("cmbL(1)")->currentText(), "5");
}

TEST_F(CountersTest, EmptiedComboRefillsWithTheZeroTextOfItsStyle) {
  const std::pair<int, const char*> styles[] = {{1, "00"}, {2, "000"}, {0, "0"}};
  for (const auto& [index, zero] : styles) {
    options("opt3")[index]->setChecked(true);
    combo("cmbL(0)")->lineEdit()->setFocus();
    combo("cmbL(0)")->setEditText("");
    edit("txtF")->setFocus();
    EXPECT_EQ(combo("cmbL(0)")->currentText(), zero) << index;
  }
  // A non-empty text is left as it is.
  option("opt3(2)")->setChecked(true);
  combo("cmbL(0)")->lineEdit()->setFocus();
  combo("cmbL(0)")->setEditText("5");
  edit("txtF")->setFocus();
  EXPECT_EQ(combo("cmbL(0)")->currentText(), "5");
}

TEST_F(CountersTest, FillStyleOfLinkedGRerendersBothCounters) {
  combo("cmbG(0)")->setEditText("1");
  combo("cmbG(1)")->setEditText("12");
  QTest::mouseClick(option("opt1(1)"), Qt::LeftButton);
  EXPECT_TRUE(option("opt2(1)")->isChecked());
  EXPECT_EQ(combo("cmbG(0)")->currentText(), "01");
  EXPECT_EQ(combo("cmbG(1)")->currentText(), "12");
  EXPECT_EQ(combo("cmbJ(0)")->currentText(), "01");
  EXPECT_EQ(combo("cmbJ(1)")->currentText(), "12");
  for (auto* c : {combo("cmbG(0)"), combo("cmbG(1)"), combo("cmbJ(0)"), combo("cmbJ(1)")}) {
    ASSERT_EQ(c->count(), 100);
    EXPECT_EQ(c->itemText(99), "99");
  }
  EXPECT_EQ(combo("cmbL(0)")->count(), 1000);  // L untouched
  EXPECT_TRUE(w->optFrom.isEmpty() && w->optTo.isEmpty() && w->optCounter.isEmpty());
}

TEST_F(CountersTest, FillStyleConversionsFollowTheCharacterRules) {
  QTest::mouseClick(button("Check2"), Qt::LeftButton);
  combo("cmbL(0)")->setEditText("5");
  combo("cmbL(1)")->setEditText("120");
  QTest::mouseClick(option("opt3(2)"), Qt::LeftButton);
  EXPECT_EQ(combo("cmbL(0)")->currentText(), "005");
  EXPECT_EQ(combo("cmbL(1)")->currentText(), "120");
  QTest::mouseClick(option("opt3(0)"), Qt::LeftButton);
  EXPECT_EQ(combo("cmbL(0)")->currentText(), "5");

  combo("cmbJ(0)")->setEditText("007");
  combo("cmbJ(1)")->setEditText("1234");
  QTest::mouseClick(option("opt2(1)"), Qt::LeftButton);
  EXPECT_EQ(combo("cmbJ(0)")->currentText(), "07");
  EXPECT_EQ(combo("cmbJ(1)")->currentText(), "1234");
  QTest::mouseClick(option("opt2(0)"), Qt::LeftButton);
  EXPECT_EQ(combo("cmbJ(0)")->currentText(), "7");
  EXPECT_EQ(combo("cmbG(0)")->currentText(), "0");  // G untouched by J's style
  EXPECT_EQ(combo("cmbG(0)")->count(), 1000);
}

TEST_F(CountersTest, UnlinkedStyleOfGLeavesJsLists) {
  QTest::mouseClick(button("Check2"), Qt::LeftButton);
  QTest::mouseClick(option("opt1(1)"), Qt::LeftButton);
  EXPECT_TRUE(option("opt2(0)")->isChecked());
  EXPECT_EQ(combo("cmbJ(0)")->count(), 1000);
  EXPECT_EQ(combo("cmbG(0)")->count(), 100);
}

}  // namespace
}  // namespace serialix::testing
