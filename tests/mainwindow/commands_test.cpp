#include <QDir>
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
  combo("cmbB")->setEditText("pics");
  for (auto* check :
       {check("CheckC"), check("CheckD"), check("CheckE"), check("CheckF"), check("CheckG"), check("CheckH"),
        check("CheckI"), check("CheckJ"), check("CheckK"), check("CheckL"), check("CheckM"), check("CheckN")}) {
    check->setChecked(false);
  }
  button("cmdR")->click();
  EXPECT_EQ(rows(), QStringList({"http://pics"}));
  EXPECT_TRUE(button("cmdOut")->isEnabled());
}

TEST_F(CommandsTest, WorkedExampleWithAndWithoutTheLink) {
  combo("cmbB")->setEditText("pics");
  combo("cmbD")->setCurrentIndex(0);
  option("opt1(1)")->setChecked(true);  // " 01", carried into J by the link
  setCounter(combo("cmbG(0)"), combo("cmbG(1)"), "01", "02");
  button("cmdR")->click();
  EXPECT_EQ(rows(), QStringList({"http://pics/a/01/01~0.mpg", "http://pics/a/02/02~0.mpg"}));

  button("cmdClear")->click();
  button("Check2")->click();  // release the link
  option("opt2(0)")->setChecked(true);
  setCounter(combo("cmbJ(0)"), combo("cmbJ(1)"), "5", "6");
  button("cmdR")->click();
  EXPECT_EQ(rows(), QStringList({"http://pics/a/01/5~0.mpg", "http://pics/a/01/6~0.mpg", "http://pics/a/02/5~0.mpg",
                                 "http://pics/a/02/6~0.mpg"}));
}

TEST_F(CommandsTest, EmptyRangeAppendsNothingButUpdatesHistoriesAndEnablesExport) {
  combo("cmbB")->setEditText("host");
  combo("cmbK")->setEditText("+");
  combo("cmbN")->setEditText("jpg");
  check("CheckK")->setChecked(false);  // histories grow even for switched-off segments
  check("CheckN")->setChecked(false);
  combo("cmbG(0)")->setEditText("3");
  combo("cmbG(1)")->setEditText("1");  // typed below from: stays
  button("cmdR")->click();
  EXPECT_EQ(list()->count(), 0u);
  EXPECT_TRUE(button("cmdOut")->isEnabled());
  EXPECT_EQ(items(combo("cmbB")), QStringList({"host"}));
  EXPECT_EQ(items(combo("cmbK")), QStringList({"-", "~", "_", ".", "+"}));
  EXPECT_EQ(items(combo("cmbN")), QStringList({"mpg", "mpeg", "mov", "rm", "ram", "jpg"}));
  EXPECT_EQ(combo("cmbK")->currentText(), "+");  // the shown text stays
}

TEST_F(CommandsTest, HistoryRememberIsExactAndSkipsEmpty) {
  button("cmdR")->click();  // empty host: nothing added
  EXPECT_EQ(combo("cmbB")->count(), 0);
  combo("cmbB")->setEditText("pics");
  button("cmdR")->click();
  combo("cmbB")->setEditText("Pics");
  button("cmdR")->click();
  button("cmdR")->click();
  EXPECT_EQ(items(combo("cmbB")), QStringList({"pics", "Pics"}));
}

TEST_F(CommandsTest, TwoRunsGiveTwoConsecutiveBlocks) {
  combo("cmbB")->setEditText("h");
  setCounter(combo("cmbL(0)"), combo("cmbL(1)"), "8", "10");
  button("cmdR")->click();
  button("cmdR")->click();
  const QStringList block = {"http://h//0/0~8.mpg", "http://h//0/0~9.mpg", "http://h//0/0~10.mpg"};
  EXPECT_EQ(rows(), block + block);
}

TEST_F(CommandsTest, CounterTextThatDoesNotConvertIsReportedAndNothingIsAppended) {
  combo("cmbB")->setEditText("h");
  combo("cmbL(1)")->setEditText("99999999999");  // beyond 32 bits
  button("cmdR")->click();
  EXPECT_EQ(list()->count(), 0u);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].caption, "Serialix");
  EXPECT_TRUE(messages.shown[0].text.contains("L")) << messages.shown[0].text.toStdString();
  EXPECT_TRUE(messages.shown[0].text.contains("99999999999"));
  EXPECT_EQ(items(combo("cmbB")), QStringList({"h"}));  // histories were updated first
  EXPECT_FALSE(button("cmdOut")->isEnabled());
}

TEST_F(CommandsTest, LinkedJTextsAreNeitherReadNorConverted) {
  combo("cmbJ(0)")->setEnabled(true);
  combo("cmbJ(0)")->setEditText("");
  combo("cmbJ(1)")->setEditText("junk");
  combo("cmbG(0)")->setEditText("0");  // mirrored back into J by the link
  combo("cmbJ(1)")->setEditText("junk");
  button("cmdR")->click();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(rows(), QStringList({"http:////0/0~0.mpg"}));
}

TEST_F(CommandsTest, NextRunTemplateReadsLikeARunWithoutItsSideEffects) {
  combo("cmbB")->setEditText("h");
  combo("cmbJ(1)")->setEditText("junk");  // linked J: never read
  setCounter(combo("cmbL(0)"), combo("cmbL(1)"), "8", "10");
  const NextRunResult next = w->NextRunTemplate();
  ASSERT_TRUE(std::holds_alternative<AddressTemplate>(next));
  EXPECT_EQ(combo("cmbB")->count(), 0);  // no history touched
  button("cmdR")->click();
  EXPECT_EQ(AddressCount(std::get<AddressTemplate>(next)), std::optional<std::uint64_t>(list()->count()));

  combo("cmbL(1)")->setEditText("99999999999");
  const NextRunResult refused = w->NextRunTemplate();
  ASSERT_TRUE(std::holds_alternative<CounterTextError>(refused));
  EXPECT_EQ(std::get<CounterTextError>(refused).counter, 'L');
  EXPECT_EQ(std::get<CounterTextError>(refused).text, "99999999999");
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(combo("cmbL(1)")->currentText(), "99999999999");
}

TEST_F(CommandsTest, ClipboardGetsEveryEntryFollowedByCrLf) {
  combo("cmbB")->setEditText("h");
  for (auto* check :
       {check("CheckC"), check("CheckD"), check("CheckE"), check("CheckF"), check("CheckH"), check("CheckI"),
        check("CheckJ"), check("CheckK"), check("CheckL"), check("CheckM"), check("CheckN")}) {
    check->setChecked(false);
  }
  check("CheckG")->setChecked(true);
  setCounter(combo("cmbG(0)"), combo("cmbG(1)"), "1", "2");
  button("cmdR")->click();
  list()->setCurrentRow(0);
  button("cmdCrip")->click();
  EXPECT_TRUE(clipboard.cleared);
  EXPECT_EQ(clipboard.text(), "http://h1\r\nhttp://h2\r\n");
  EXPECT_EQ(list()->currentRow(), std::optional<std::uint64_t>(0));  // selection unchanged
}

TEST_F(CommandsTest, ClearThenCopyLeavesEmptyText) {
  button("cmdR")->click();
  button("cmdClear")->click();
  EXPECT_FALSE(button("cmdOut")->isEnabled());
  EXPECT_TRUE(button("cmdCrip")->isEnabled());
  button("cmdCrip")->click();
  EXPECT_TRUE(clipboard.cleared);
  EXPECT_EQ(clipboard.text(), "");
}

TEST_F(CommandsTest, OversizedListIsNotCopied) {
  setCounter(combo("cmbG(0)"), combo("cmbG(1)"), "0", "999");
  setCounter(combo("cmbL(0)"), combo("cmbL(1)"), "0", "99999");  // 10^8 lines: far over 1 GiB of text
  button("cmdR")->click();
  button("cmdCrip")->click();
  EXPECT_EQ(clipboard.text(), "untouched");
  EXPECT_FALSE(clipboard.cleared);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].caption, "Serialix");
}

TEST_F(CommandsTest, TemplateBeyondSixtyThreeBitsIsRefusedWithAMessage) {
  button("Check2")->click();
  for (const auto& combos : {counterCombos("G"), counterCombos("J"), counterCombos("L")})
    setCounter(combos[0], combos[1], "0", "2147483647");
  button("cmdR")->click();  // 2^93 addresses
  EXPECT_EQ(list()->count(), 0u);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_FALSE(button("cmdOut")->isEnabled());
}

TEST_F(CommandsTest, ABillionAddressesAppendAtOnceAndTheLastRowIsReachable) {
  button("Check2")->click();  // release the link so that J runs its own range
  for (const auto& combos : {counterCombos("G"), counterCombos("J"), counterCombos("L")})
    setCounter(combos[0], combos[1], "0", "999");
  combo("cmbB")->setEditText("x");
  button("cmdR")->click();
  ASSERT_EQ(list()->count(), 1000000000u);
  EXPECT_EQ(list()->text(999999999), "http://x//999/999~999.mpg");
  list()->setFocus();
  QTest::keyClick(list(), Qt::Key_End);
  EXPECT_EQ(list()->currentRow(), std::optional<std::uint64_t>(999999999));
}

TEST_F(CommandsTest, EachSaveDialogOpensWhereTheLastFileWasWritten) {
  QTemporaryDir first, second;
  button("cmdR")->click();
  saveDialog.nextAnswers = {first.filePath("a.txt"), second.filePath("b.txt"), std::nullopt};
  for (int i = 0; i < 3; ++i) button("cmdOut")->click();
  ASSERT_EQ(saveDialog.requests.size(), 3u);
  EXPECT_EQ(saveDialog.requests[0].folder, QDir::toNativeSeparators(dir.path()));  // the start folder
  EXPECT_EQ(saveDialog.requests[1].folder, QDir::toNativeSeparators(first.path()));
  EXPECT_EQ(saveDialog.requests[2].folder, QDir::toNativeSeparators(second.path()));
}

TEST_F(CommandsTest, QuitWritesTheSettingsLikeTheCloseBox) {
  combo("cmbB")->setEditText("host1");
  button("cmdR")->click();
  button("cmdEnd")->click();
  QFile file(QString::fromStdString(iniPath().string()));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_TRUE(bytes.contains("cmbB.List0=host1\r\n"));
  EXPECT_TRUE(bytes.contains("frmMain.Left="));
  EXPECT_TRUE(bytes.contains("cmbk.List1=~\r\n"));
}

}  // namespace
}  // namespace serialix::testing
