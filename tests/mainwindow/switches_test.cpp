#include <QLabel>

#include "main_window_fixture.h"

namespace serialix::testing {
namespace {

using SwitchesTest = MainWindowTest;

TEST_F(SwitchesTest, PlainSwitchesEnableOnlyTheirControlAndKeepItsContent) {
  const std::pair<QCheckBox*, QWidget*> table[] = {
      {w->CheckC, w->lblC}, {w->CheckD, w->cmbD}, {w->CheckE, w->lblE}, {w->CheckF, w->txtF}, {w->CheckH, w->lblH},
      {w->CheckI, w->txtI}, {w->CheckK, w->cmbK}, {w->CheckM, w->lblM}, {w->CheckN, w->cmbN}};
  w->cmbK->setEditText("+");
  for (const auto& [check, governed] : table) {
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, 6));
    EXPECT_FALSE(check->isChecked()) << check->objectName().toStdString();
    EXPECT_FALSE(governed->isEnabled()) << check->objectName().toStdString();
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, 6));
    EXPECT_TRUE(governed->isEnabled()) << check->objectName().toStdString();
  }
  EXPECT_EQ(w->cmbK->currentText(), "+");
  EXPECT_EQ(w->cmbK->count(), 4);
}

TEST_F(SwitchesTest, CounterSwitchesGovernCombosAndOptions) {
  w->CheckL->setChecked(false);
  EXPECT_FALSE(w->cmbL[0]->isEnabled());
  EXPECT_FALSE(w->cmbL[1]->isEnabled());
  for (auto* o : w->opt3) EXPECT_FALSE(o->isEnabled());
  EXPECT_TRUE(w->Label1[2]->isEnabled());  // the "～" label stays
  w->CheckL->setChecked(true);
  EXPECT_TRUE(w->cmbL[1]->isEnabled());
  // Checking J while the link is in force enables J although it still follows G.
  w->CheckJ->setChecked(false);
  w->CheckJ->setChecked(true);
  EXPECT_TRUE(w->cmbJ[0]->isEnabled());
  EXPECT_EQ(w->Check2->text(), "=");
}

TEST_F(SwitchesTest, TextLinkMirrorsFIntoIUntilReleased) {
  QTest::keyClicks(w->txtF, "ab");
  EXPECT_EQ(w->txtI->text(), "ab");
  QTest::keyClicks(w->txtI, "X");
  EXPECT_EQ(w->txtI->text(), "abX");  // stays until F next changes
  QTest::keyClicks(w->txtF, "c");
  EXPECT_EQ(w->txtI->text(), "abc");
  QTest::mouseClick(w->Check1, Qt::LeftButton);
  EXPECT_EQ(w->Check1->text(), "≠");
  EXPECT_TRUE(w->Check1->isChecked());
  QTest::keyClicks(w->txtF, "d");
  EXPECT_EQ(w->txtI->text(), "abc");
  QTest::mouseClick(w->Check1, Qt::LeftButton);
  EXPECT_EQ(w->Check1->text(), "=");
  EXPECT_FALSE(w->Check1->isChecked());
  EXPECT_EQ(w->txtI->text(), "abcd");
}

TEST_F(SwitchesTest, CounterLinkReleaseAndReestablish) {
  w->opt1[2]->setChecked(true);  // G and, through the link, J in "001"
  w->cmbG[0]->setEditText("005");
  w->cmbG[1]->setEditText("120");
  QTest::mouseClick(w->Check2, Qt::LeftButton);
  EXPECT_EQ(w->Check2->text(), "≠");
  EXPECT_TRUE(w->Check2->isChecked());
  EXPECT_TRUE(w->cmbJ[0]->isEnabled());
  for (auto* o : w->opt2) EXPECT_TRUE(o->isEnabled());

  // Independent J keeps what it had; G moves on alone.
  w->opt1[0]->setChecked(true);
  EXPECT_EQ(w->cmbG[0]->currentText(), "5");
  EXPECT_EQ(w->cmbJ[0]->currentText(), "005");
  EXPECT_TRUE(w->opt2[2]->isChecked());

  QTest::mouseClick(w->Check2, Qt::LeftButton);
  EXPECT_EQ(w->Check2->text(), "=");
  EXPECT_FALSE(w->Check2->isChecked());
  EXPECT_EQ(w->cmbJ[0]->currentText(), "5");
  EXPECT_EQ(w->cmbJ[1]->currentText(), "120");
  EXPECT_TRUE(w->opt2[0]->isChecked());
  EXPECT_FALSE(w->cmbJ[0]->isEnabled());
  for (auto* o : w->opt2) EXPECT_FALSE(o->isEnabled());
}

TEST_F(SwitchesTest, ExcludingGReleasesTheLinkForGood) {
  w->CheckJ->setChecked(false);
  QTest::mouseClick(w->CheckG, Qt::LeftButton, {}, QPoint(6, 6));
  EXPECT_EQ(w->Check2->text(), "≠");
  EXPECT_TRUE(w->Check2->isChecked());
  EXPECT_FALSE(w->cmbG[0]->isEnabled());
  EXPECT_FALSE(w->cmbJ[0]->isEnabled());  // J is unchecked: stays disabled

  // Clicking the link while G is excluded changes nothing.
  QTest::mouseClick(w->Check2, Qt::LeftButton);
  EXPECT_EQ(w->Check2->text(), "≠");
  EXPECT_TRUE(w->Check2->isChecked());

  QTest::mouseClick(w->CheckG, Qt::LeftButton, {}, QPoint(6, 6));
  EXPECT_TRUE(w->cmbG[0]->isEnabled());
  EXPECT_EQ(w->Check2->text(), "≠");

  // With J checked, excluding G enables J's controls.
  w->CheckJ->setChecked(true);
  QTest::mouseClick(w->Check2, Qt::LeftButton);  // back to "="
  ASSERT_EQ(w->Check2->text(), "=");
  w->CheckG->setChecked(false);
  EXPECT_TRUE(w->cmbJ[0]->isEnabled());
  for (auto* o : w->opt2) EXPECT_TRUE(o->isEnabled());
}

TEST_F(SwitchesTest, ReleasingTheLinkWithJUncheckedStillEnablesJ) {
  w->CheckJ->setChecked(false);
  QTest::mouseClick(w->Check2, Qt::LeftButton);
  EXPECT_TRUE(w->cmbJ[0]->isEnabled());
  EXPECT_TRUE(w->opt2[1]->isEnabled());
}

}  // namespace
}  // namespace serialix::testing
