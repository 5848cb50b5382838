#include <QLabel>

#include "main_window_fixture.h"

namespace serialix::testing {
namespace {

using CommandsTest = MainWindowTest;

void setCounter(QComboBox* from, QComboBox* to, const QString& a, const QString& b) {
  from->setEditText(a);
  to->setEditText(b);
}

TEST_F(CommandsTest, AllSwitchesOffGiveOneAddress) {
  w->cmbB->setEditText("pics");
  for (auto* check : {w->CheckC, w->CheckD, w->CheckE, w->CheckF, w->CheckG, w->CheckH, w->CheckI, w->CheckJ,
                      w->CheckK, w->CheckL, w->CheckM, w->CheckN}) {
    check->setChecked(false);
  }
  w->cmdR->click();
  EXPECT_EQ(rows(), QStringList({"http://pics"}));
  EXPECT_TRUE(w->cmdOut->isEnabled());
}

TEST_F(CommandsTest, WorkedExampleWithAndWithoutTheLink) {
  w->cmbB->setEditText("pics");
  w->cmbD->setCurrentIndex(0);
  w->opt1[1]->setChecked(true);  // " 01", carried into J by the link
  setCounter(w->cmbG[0], w->cmbG[1], "01", "02");
  w->cmdR->click();
  EXPECT_EQ(rows(), QStringList({"http://pics/a/01/01~0.mpg", "http://pics/a/02/02~0.mpg"}));

  w->cmdClear->click();
  w->Check2->click();  // release the link
  w->opt2[0]->setChecked(true);
  setCounter(w->cmbJ[0], w->cmbJ[1], "5", "6");
  w->cmdR->click();
  EXPECT_EQ(rows(), QStringList({"http://pics/a/01/5~0.mpg", "http://pics/a/01/6~0.mpg",
                                 "http://pics/a/02/5~0.mpg", "http://pics/a/02/6~0.mpg"}));
}

TEST_F(CommandsTest, EmptyRangeAppendsNothingButUpdatesHistoriesAndEnablesExport) {
  w->cmbB->setEditText("host");
  w->cmbK->setEditText("+");
  w->cmbN->setEditText("jpg");
  w->CheckK->setChecked(false);  // histories grow even for switched-off segments
  w->CheckN->setChecked(false);
  w->cmbG[0]->setEditText("3");
  w->cmbG[1]->setEditText("1");  // typed below from: stays
  w->cmdR->click();
  EXPECT_EQ(w->List1->count(), 0u);
  EXPECT_TRUE(w->cmdOut->isEnabled());
  EXPECT_EQ(items(w->cmbB), QStringList({"host"}));
  EXPECT_EQ(items(w->cmbK), QStringList({"-", "~", "_", ".", "+"}));
  EXPECT_EQ(items(w->cmbN), QStringList({"mpg", "mpeg", "mov", "rm", "ram", "jpg"}));
  EXPECT_EQ(w->cmbK->currentText(), "+");  // the shown text stays
}

TEST_F(CommandsTest, HistoryRememberIsExactAndSkipsEmpty) {
  w->cmdR->click();  // empty host: nothing added
  EXPECT_EQ(w->cmbB->count(), 0);
  w->cmbB->setEditText("pics");
  w->cmdR->click();
  w->cmbB->setEditText("Pics");
  w->cmdR->click();
  w->cmdR->click();
  EXPECT_EQ(items(w->cmbB), QStringList({"pics", "Pics"}));
}

TEST_F(CommandsTest, TwoRunsGiveTwoConsecutiveBlocks) {
  w->cmbB->setEditText("h");
  setCounter(w->cmbL[0], w->cmbL[1], "8", "10");
  w->cmdR->click();
  w->cmdR->click();
  const QStringList block = {"http://h//0/0~8.mpg", "http://h//0/0~9.mpg", "http://h//0/0~10.mpg"};
  EXPECT_EQ(rows(), block + block);
}

TEST_F(CommandsTest, CounterTextThatDoesNotConvertIsReportedAndNothingIsAppended) {
  w->cmbB->setEditText("h");
  w->cmbL[1]->setEditText("99999999999");  // beyond 32 bits
  w->cmdR->click();
  EXPECT_EQ(w->List1->count(), 0u);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].caption, "Serialix");
  EXPECT_TRUE(messages.shown[0].text.contains("L")) << messages.shown[0].text.toStdString();
  EXPECT_TRUE(messages.shown[0].text.contains("99999999999"));
  EXPECT_EQ(items(w->cmbB), QStringList({"h"}));  // histories were updated first
  EXPECT_FALSE(w->cmdOut->isEnabled());
}

TEST_F(CommandsTest, LinkedJTextsAreNeitherReadNorConverted) {
  w->cmbJ[0]->setEnabled(true);
  w->cmbJ[0]->setEditText("");
  w->cmbJ[1]->setEditText("junk");
  w->cmbG[0]->setEditText("0");  // mirrored back into J by the link
  w->cmbJ[1]->setEditText("junk");
  w->cmdR->click();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(rows(), QStringList({"http:////0/0~0.mpg"}));
}

TEST_F(CommandsTest, NextRunTemplateReadsLikeARunWithoutItsSideEffects) {
  w->cmbB->setEditText("h");
  w->cmbJ[1]->setEditText("junk");  // linked J: never read
  setCounter(w->cmbL[0], w->cmbL[1], "8", "10");
  const NextRunResult next = w->NextRunTemplate();
  ASSERT_TRUE(std::holds_alternative<AddressTemplate>(next));
  EXPECT_EQ(w->cmbB->count(), 0);  // no history touched
  w->cmdR->click();
  EXPECT_EQ(AddressCount(std::get<AddressTemplate>(next)), std::optional<std::uint64_t>(w->List1->count()));

  w->cmbL[1]->setEditText("99999999999");
  const NextRunResult refused = w->NextRunTemplate();
  ASSERT_TRUE(std::holds_alternative<CounterTextError>(refused));
  EXPECT_EQ(std::get<CounterTextError>(refused).counter, 'L');
  EXPECT_EQ(std::get<CounterTextError>(refused).text, "99999999999");
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(w->cmbL[1]->currentText(), "99999999999");
}

TEST_F(CommandsTest, ClipboardGetsEveryEntryFollowedByCrLf) {
  w->cmbB->setEditText("h");
  for (auto* check : {w->CheckC, w->CheckD, w->CheckE, w->CheckF, w->CheckH, w->CheckI, w->CheckJ, w->CheckK,
                      w->CheckL, w->CheckM, w->CheckN}) {
    check->setChecked(false);
  }
  w->CheckG->setChecked(true);
  setCounter(w->cmbG[0], w->cmbG[1], "1", "2");
  w->cmdR->click();
  w->List1->setCurrentRow(0);
  w->cmdCrip->click();
  EXPECT_TRUE(clipboard.cleared);
  EXPECT_EQ(clipboard.text(), "http://h1\r\nhttp://h2\r\n");
  EXPECT_EQ(w->List1->currentRow(), std::optional<std::uint64_t>(0));  // selection unchanged
}

TEST_F(CommandsTest, ClearThenCopyLeavesEmptyText) {
  w->cmdR->click();
  w->cmdClear->click();
  EXPECT_FALSE(w->cmdOut->isEnabled());
  EXPECT_TRUE(w->cmdCrip->isEnabled());
  w->cmdCrip->click();
  EXPECT_TRUE(clipboard.cleared);
  EXPECT_EQ(clipboard.text(), "");
}

TEST_F(CommandsTest, OversizedListIsNotCopied) {
  setCounter(w->cmbG[0], w->cmbG[1], "0", "999");
  setCounter(w->cmbL[0], w->cmbL[1], "0", "99999");  // 10^8 lines: far over 256 MiB of text
  w->cmdR->click();
  w->cmdCrip->click();
  EXPECT_EQ(clipboard.text(), "untouched");
  EXPECT_FALSE(clipboard.cleared);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].caption, "Serialix");
}

TEST_F(CommandsTest, TemplateBeyondSixtyThreeBitsIsRefusedWithAMessage) {
  w->Check2->click();
  for (auto* c : {&w->cmbG, &w->cmbJ, &w->cmbL}) setCounter((*c)[0], (*c)[1], "0", "2147483647");
  w->cmdR->click();  // 2^93 addresses
  EXPECT_EQ(w->List1->count(), 0u);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_FALSE(w->cmdOut->isEnabled());
}

TEST_F(CommandsTest, ABillionAddressesAppendAtOnceAndTheLastRowIsReachable) {
  w->Check2->click();  // release the link so that J runs its own range
  for (auto* c : {&w->cmbG, &w->cmbJ, &w->cmbL}) setCounter((*c)[0], (*c)[1], "0", "999");
  w->cmbB->setEditText("x");
  w->cmdR->click();
  ASSERT_EQ(w->List1->count(), 1000000000u);
  EXPECT_EQ(w->List1->text(999999999), "http://x//999/999~999.mpg");
  w->List1->setFocus();
  QTest::keyClick(w->List1, Qt::Key_End);
  EXPECT_EQ(w->List1->currentRow(), std::optional<std::uint64_t>(999999999));
}

TEST_F(CommandsTest, QuitWritesTheSettingsLikeTheCloseBox) {
  w->cmbB->setEditText("host1");
  w->cmdR->click();
  w->cmdEnd->click();
  QFile file(QString::fromStdString(iniPath().string()));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_TRUE(bytes.contains("cmbB.List0=host1\r\n"));
  EXPECT_TRUE(bytes.contains("frmMain.Left="));
  EXPECT_TRUE(bytes.contains("cmbk.List1=~\r\n"));
}

}  // namespace
}  // namespace serialix::testing
