#include <QLabel>

#include "main_window_fixture.h"

namespace serialix::testing {
namespace {

using SwitchesTest = MainWindowTest;

TEST_F(SwitchesTest, PlainSwitchesEnableOnlyTheirControlAndKeepItsContent) {
  const std::pair<QCheckBox*, QWidget*> table[] = {
      {check("CheckC"), label("lblC")}, {check("CheckD"), combo("cmbD")}, {check("CheckE"), label("lblE")},
      {check("CheckF"), edit("txtF")},  {check("CheckH"), label("lblH")}, {check("CheckI"), edit("txtI")},
      {check("CheckK"), combo("cmbK")}, {check("CheckM"), label("lblM")}, {check("CheckN"), combo("cmbN")}};
  combo("cmbK")->setEditText("+");
  for (const auto& [check, governed] : table) {
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, 6));
    EXPECT_FALSE(check->isChecked()) << check->objectName().toStdString();
    EXPECT_FALSE(governed->isEnabled()) << check->objectName().toStdString();
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, 6));
    EXPECT_TRUE(governed->isEnabled()) << check->objectName().toStdString();
  }
  EXPECT_EQ(combo("cmbK")->currentText(), "+");
  EXPECT_EQ(combo("cmbK")->count(), 4);
}

TEST_F(SwitchesTest, CounterSwitchesGovernCombosAndOptions) {
  check("CheckL")->setChecked(false);
  EXPECT_FALSE(combo("cmbL(0)")->isEnabled());
  EXPECT_FALSE(combo("cmbL(1)")->isEnabled());
  for (auto* o : options("opt3")) EXPECT_FALSE(o->isEnabled());
  EXPECT_TRUE(label("Label1(6)")->isEnabled());  // the "～" label stays
  check("CheckL")->setChecked(true);
  EXPECT_TRUE(combo("cmbL(1)")->isEnabled());
  // Checking J while the link is in force enables J although it still follows G.
  check("CheckJ")->setChecked(false);
  check("CheckJ")->setChecked(true);
  EXPECT_TRUE(combo("cmbJ(0)")->isEnabled());
  EXPECT_EQ(button("Check2")->text(), "=");
}

TEST_F(SwitchesTest, TextLinkMirrorsFIntoIUntilReleased) {
  QTest::keyClicks(edit("txtF"), "ab");
  EXPECT_EQ(edit("txtI")->text(), "ab");
  QTest::keyClicks(edit("txtI"), "X");
  EXPECT_EQ(edit("txtI")->text(), "abX");  // stays until F next changes
  QTest::keyClicks(edit("txtF"), "c");
  EXPECT_EQ(edit("txtI")->text(), "abc");
  QTest::mouseClick(button("Check1"), Qt::LeftButton);
  EXPECT_EQ(button("Check1")->text(), "≠");
  EXPECT_TRUE(button("Check1")->isChecked());
  QTest::keyClicks(edit("txtF"), "d");
  EXPECT_EQ(edit("txtI")->text(), "abc");
  QTest::mouseClick(button("Check1"), Qt::LeftButton);
  EXPECT_EQ(button("Check1")->text(), "=");
  EXPECT_FALSE(button("Check1")->isChecked());
  EXPECT_EQ(edit("txtI")->text(), "abcd");
}

TEST_F(SwitchesTest, CounterLinkReleaseAndReestablish) {
  option("opt1(2)")->setChecked(true);  // G and, through the link, J in "001"
  combo("cmbG(0)")->setEditText("005");
  combo("cmbG(1)")->setEditText("120");
  QTest::mouseClick(button("Check2"), Qt::LeftButton);
  EXPECT_EQ(button("Check2")->text(), "≠");
  EXPECT_TRUE(button("Check2")->isChecked());
  EXPECT_TRUE(combo("cmbJ(0)")->isEnabled());
  for (auto* o : options("opt2")) EXPECT_TRUE(o->isEnabled());

  // Independent J keeps what it had; G moves on alone.
  option("opt1(0)")->setChecked(true);
  EXPECT_EQ(combo("cmbG(0)")->currentText(), "5");
  EXPECT_EQ(combo("cmbJ(0)")->currentText(), "005");
  EXPECT_TRUE(option("opt2(2)")->isChecked());

  QTest::mouseClick(button("Check2"), Qt::LeftButton);
  EXPECT_EQ(button("Check2")->text(), "=");
  EXPECT_FALSE(button("Check2")->isChecked());
  EXPECT_EQ(combo("cmbJ(0)")->currentText(), "5");
  EXPECT_EQ(combo("cmbJ(1)")->currentText(), "120");
  EXPECT_TRUE(option("opt2(0)")->isChecked());
  EXPECT_FALSE(combo("cmbJ(0)")->isEnabled());
  for (auto* o : options("opt2")) EXPECT_FALSE(o->isEnabled());
}

TEST_F(SwitchesTest, ExcludingGReleasesTheLinkForGood) {
  check("CheckJ")->setChecked(false);
  QTest::mouseClick(check("CheckG"), Qt::LeftButton, {}, QPoint(6, 6));
  EXPECT_EQ(button("Check2")->text(), "≠");
  EXPECT_TRUE(button("Check2")->isChecked());
  EXPECT_FALSE(combo("cmbG(0)")->isEnabled());
  EXPECT_FALSE(combo("cmbJ(0)")->isEnabled());  // J is unchecked: stays disabled

  // Clicking the link while G is excluded changes nothing.
  QTest::mouseClick(button("Check2"), Qt::LeftButton);
  EXPECT_EQ(button("Check2")->text(), "≠");
  EXPECT_TRUE(button("Check2")->isChecked());

  QTest::mouseClick(check("CheckG"), Qt::LeftButton, {}, QPoint(6, 6));
  EXPECT_TRUE(combo("cmbG(0)")->isEnabled());
  EXPECT_EQ(button("Check2")->text(), "≠");

  // With J checked, excluding G enables J's controls.
  check("CheckJ")->setChecked(true);
  QTest::mouseClick(button("Check2"), Qt::LeftButton);  // back to "="
  ASSERT_EQ(button("Check2")->text(), "=");
  check("CheckG")->setChecked(false);
  EXPECT_TRUE(combo("cmbJ(0)")->isEnabled());
  for (auto* o : options("opt2")) EXPECT_TRUE(o->isEnabled());
}

TEST_F(SwitchesTest, ReleasingTheLinkWithJUncheckedStillEnablesJ) {
  check("CheckJ")->setChecked(false);
  QTest::mouseClick(button("Check2"), Qt::LeftButton);
  EXPECT_TRUE(combo("cmbJ(0)")->isEnabled());
  EXPECT_TRUE(option("opt2(1)")->isEnabled());
}

}  // namespace
}  // namespace serialix::testing
