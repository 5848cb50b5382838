#include <QLabel>

#include <functional>
#include <random>

#include "main_window_fixture.h"
#include "platform/widgets/elided_label.h"

namespace serialix::testing {
namespace {

class CountLabelTest : public MainWindowTest {
 public:  // the edit table below calls these
  template <typename T = QWidget>
  T* control(const QString& name) const {
    T* found = w->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
  }
  QComboBox* combo(const QString& name) const { return control<QComboBox>(name); }
  QCheckBox* check(const QString& name) const { return control<QCheckBox>(name); }
  QAbstractButton* button(const QString& name) const { return control<QAbstractButton>(name); }
  ElidedLabel* label() const { return control<ElidedLabel>("lblCount"); }
  VirtualListBox* list() const { return control<VirtualListBox>("List1"); }

  void setCounter(char letter, const QString& from, const QString& to) const {
    combo(QStringLiteral("cmb%1(0)").arg(letter))->setEditText(from);
    combo(QStringLiteral("cmb%1(1)").arg(letter))->setEditText(to);
  }

  // The worked example of the window: "pics", letter a, G 1..20 two-digit carried into J by the link.
  void workedExample() const {
    combo("cmbB")->setEditText("pics");
    combo("cmbD")->setCurrentIndex(0);
    button("opt1(1)")->click();
    setCounter('G', "1", "20");
  }

  // text, with every digit, is the name; shown is what the label shows, if other.
  void expectCount(const QString& text, const QString& detail, const QString& shown = {}) const {
    EXPECT_EQ(label()->text(), shown.isEmpty() ? text : shown);
    EXPECT_EQ(label()->accessibleName(), text);
    EXPECT_EQ(label()->toolTip(), text + "\n" + detail);
    EXPECT_EQ(label()->accessibleDescription(), text + "\n" + detail);
    // "実行" names what it does and its key first, then the same detail.
    EXPECT_EQ(button("cmdR")->toolTip(), "一覧にアドレスを追加します (Enter)\n" + detail);
    EXPECT_EQ(button("cmdR")->accessibleDescription(), button("cmdR")->toolTip());
  }
};

TEST_F(CountLabelTest, StartStateCountsTheOneAddressOfTheZeroCounters) {
  expectCount("次回 1 件 / 一覧 0 件", "最初と最後: http:////0/0~0.mpg");
}

TEST_F(CountLabelTest, WorkedExampleBeforeAndAfterARunAndAClear) {
  workedExample();
  const QString detail = "最初: http://pics/a/01/01~0.mpg\n最後: http://pics/a/20/20~0.mpg";
  expectCount("次回 20 件 / 一覧 0 件", detail);
  button("cmdR")->click();
  expectCount("次回 20 件 / 一覧 20 件", detail);
  button("cmdR")->click();
  expectCount("次回 20 件 / 一覧 40 件", detail);
  button("cmdClear")->click();
  expectCount("次回 20 件 / 一覧 0 件", detail);
}

TEST_F(CountLabelTest, EachSwitchChangesTheCountOrTheAddresses) {
  const struct {
    const char* name;
    const char* text;
    const char* first;
    const char* last;
  } cases[] = {
      {"CheckC", "次回 6 件 / 一覧 0 件", "http://picsa/f01/i01~1.mpg", "http://picsa/f02/i02~3.mpg"},
      {"CheckD", "次回 6 件 / 一覧 0 件", "http://pics//f01/i01~1.mpg", "http://pics//f02/i02~3.mpg"},
      {"CheckE", "次回 6 件 / 一覧 0 件", "http://pics/af01/i01~1.mpg", "http://pics/af02/i02~3.mpg"},
      {"CheckF", "次回 6 件 / 一覧 0 件", "http://pics/a/01/i01~1.mpg", "http://pics/a/02/i02~3.mpg"},
      {"CheckH", "次回 6 件 / 一覧 0 件", "http://pics/a/f01i01~1.mpg", "http://pics/a/f02i02~3.mpg"},
      {"CheckI", "次回 6 件 / 一覧 0 件", "http://pics/a/f01/01~1.mpg", "http://pics/a/f02/02~3.mpg"},
      {"CheckJ", "次回 6 件 / 一覧 0 件", "http://pics/a/f01/i~1.mpg", "http://pics/a/f02/i~3.mpg"},
      {"CheckK", "次回 6 件 / 一覧 0 件", "http://pics/a/f01/i011.mpg", "http://pics/a/f02/i023.mpg"},
      {"CheckL", "次回 2 件 / 一覧 0 件", "http://pics/a/f01/i01~.mpg", "http://pics/a/f02/i02~.mpg"},
      {"CheckM", "次回 6 件 / 一覧 0 件", "http://pics/a/f01/i01~1mpg", "http://pics/a/f02/i02~3mpg"},
      {"CheckN", "次回 6 件 / 一覧 0 件", "http://pics/a/f01/i01~1.", "http://pics/a/f02/i02~3."},
      // Last: G off releases the link for good, and J runs the range it took from G.
      {"CheckG", "次回 6 件 / 一覧 0 件", "http://pics/a/f/i01~1.mpg", "http://pics/a/f/i02~3.mpg"},
  };
  combo("cmbB")->setEditText("pics");
  combo("cmbD")->setCurrentIndex(0);
  control<QLineEdit>("txtF")->setText("f");
  control<QLineEdit>("txtI")->setText("i");
  button("opt1(1)")->click();  // two-digit, carried into J by the link
  setCounter('G', "1", "2");
  setCounter('L', "1", "3");
  expectCount("次回 6 件 / 一覧 0 件", "最初: http://pics/a/f01/i01~1.mpg\n最後: http://pics/a/f02/i02~3.mpg");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    check(c.name)->click();
    expectCount(c.text, QStringLiteral("最初: %1\n最後: %2").arg(c.first, c.last));
    check(c.name)->click();
  }
}

TEST_F(CountLabelTest, EachTextEditAloneUpdatesTheLabel) {
  const struct {
    const char* what;
    std::function<void(CountLabelTest&)> edit;
    const char* address;
  } cases[] = {
      {"host", [](CountLabelTest& t) { t.combo("cmbB")->setEditText("h"); }, "http://h//0/0~0.mpg"},
      {"letter", [](CountLabelTest& t) { t.combo("cmbD")->setCurrentIndex(2); }, "http:///c/0/0~0.mpg"},
      {"F", [](CountLabelTest& t) { t.control<QLineEdit>("txtF")->setText("f"); },
       "http:////f0/f0~0.mpg"},  // I follows
      {"I", [](CountLabelTest& t) { t.control<QLineEdit>("txtI")->setText("i"); }, "http:////0/i0~0.mpg"},
      {"symbol", [](CountLabelTest& t) { t.combo("cmbK")->setEditText("+"); }, "http:////0/0+0.mpg"},
      {"symbol history", [](CountLabelTest& t) { t.combo("cmbK")->setCurrentIndex(0); }, "http:////0/0-0.mpg"},
      {"extension", [](CountLabelTest& t) { t.combo("cmbN")->setEditText("jpg"); }, "http:////0/0~0.jpg"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    restart();
    c.edit(*this);
    expectCount("次回 1 件 / 一覧 0 件", QStringLiteral("最初と最後: %1").arg(c.address));
  }
}

TEST_F(CountLabelTest, FillStylesAndTheCounterLink) {
  setCounter('G', "8", "11");
  setCounter('L', "5", "5");
  const struct {
    const char* option;
    const char* detail;
  } styles[] = {
      {"opt1(2)", "最初: http:////008/008~5.mpg\n最後: http:////011/011~5.mpg"},
      {"opt1(1)", "最初: http:////08/08~5.mpg\n最後: http:////11/11~5.mpg"},
      {"opt3(2)", "最初: http:////08/08~005.mpg\n最後: http:////11/11~005.mpg"},
      {"opt1(0)", "最初: http:////8/8~005.mpg\n最後: http:////11/11~005.mpg"},
  };
  for (const auto& s : styles) {
    SCOPED_TRACE(s.option);
    button(s.option)->click();
    expectCount("次回 4 件 / 一覧 0 件", s.detail);
  }

  button("Check2")->click();  // link off: J runs its own range, which the link left at G's texts
  expectCount("次回 16 件 / 一覧 0 件", "最初: http:////8/8~005.mpg\n最後: http:////11/11~005.mpg");
  setCounter('J', "1", "2");
  button("opt2(2)")->click();
  expectCount("次回 8 件 / 一覧 0 件", "最初: http:////8/001~005.mpg\n最後: http:////11/002~005.mpg");
  button("Check2")->click();  // link on again: J's range is not read
  expectCount("次回 4 件 / 一覧 0 件", "最初: http:////8/8~005.mpg\n最後: http:////11/11~005.mpg");
}

TEST_F(CountLabelTest, EmptyRangeAddsNothing) {
  setCounter('G', "3", "1");  // typed below from: stays
  expectCount("次回 0 件 / 一覧 0 件", "次回の実行では何も追加されません。");
}

TEST_F(CountLabelTest, UnreadableCounterTextIsNamedOnlyWhenTheRunWouldReadIt) {
  combo("cmbJ(1)")->setEditText("x");  // under the link J is not read
  expectCount("次回 1 件 / 一覧 0 件", "最初と最後: http:////0/0~0.mpg");
  button("Check2")->click();
  expectCount("次回 ? 件 / 一覧 0 件", "カウンター J の値「x」は整数として読めません。");
  setCounter('G', "3", "1");  // G makes no pass, so J is never reached
  expectCount("次回 0 件 / 一覧 0 件", "次回の実行では何も追加されません。");
  combo("cmbG(1)")->setEditText("");
  expectCount("次回 ? 件 / 一覧 0 件", "カウンター G の値「」は整数として読めません。");

  // The run says the same and adds nothing.
  button("cmdR")->click();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "カウンター G の値「」は整数として読めません。");
  EXPECT_EQ(list()->count(), 0u);
}

TEST_F(CountLabelTest, TemplateOver63BitsIsRefused) {
  button("Check2")->click();
  setCounter('G', "-2147483648", "2147483647");
  setCounter('J', "-2147483648", "2147483647");  // 2^64 addresses
  const QString refused = "実行は拒否されます: アドレスの数が多すぎて一覧に追加できません。";
  expectCount("次回 多すぎます / 一覧 0 件", refused);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CountLabelTest, ListNearTheLimitRefusesTheNextRunAndTheLabelCountsInUnits) {
  button("Check2")->click();
  setCounter('G', "-2147483648", "2147483647");
  setCounter('J', "0", "1073741823");  // 2^62 addresses: one run fits, a second would pass 2^63 - 1
  expectCount("次回 4,611,686,018,427,387,904 件 / 一覧 0 件",
              "最初: http:////-2147483648/0~0.mpg\n最後: http:////2147483647/1073741823~0.mpg",
              "次回 約461京 件 / 一覧 0 件");
  button("cmdR")->click();
  const QString text = "次回 多すぎます / 一覧 4,611,686,018,427,387,904 件";
  const QString detail =
      "実行は拒否されます: アドレスの数が多すぎて一覧に追加できません。\n一覧の件数と合わせると上限を超えます。";
  const QString shown = "次回 多すぎます / 一覧 約461京 件";
  expectCount(text, detail, shown);
  button("cmdR")->click();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "アドレスの数が多すぎて一覧に追加できません。");
  expectCount(text, detail, shown);
}

// Whatever the counts, the label shows its whole line within its width: every digit where they
// fit, else counts in units, with every digit in the name and the tooltip.
TEST_F(CountLabelTest, LabelShowsItsWholeLineForAnyCount) {
  const auto expectWhole = [this](std::uint64_t next, std::uint64_t listed) {
    const QLocale digits(QLocale::English);
    const QString text = QStringLiteral("次回 %1 件 / 一覧 %2 件").arg(digits.toString(next), digits.toString(listed));
    EXPECT_EQ(label()->accessibleName(), text);
    EXPECT_TRUE(label()->toolTip().startsWith(text + "\n"));
    EXPECT_LE(label()->fontMetrics().horizontalAdvance(label()->text()), label()->contentsRect().width());
    EXPECT_TRUE(label()->text().startsWith("次回 ") && label()->text().contains(" 件 / 一覧 "));
  };
  button("Check2")->click();
  for (char letter : {'G', 'J', 'L'}) setCounter(letter, "1", "1000");
  button("cmdR")->click();
  expectWhole(1'000'000'000, 1'000'000'000);
  EXPECT_EQ(label()->text(), "次回 10億 件 / 一覧 10億 件");

  std::mt19937_64 random(20261207);
  for (int round = 0; round < 200; ++round) {
    button("cmdClear")->click();
    std::uint64_t next = 1;  // three ranges of random magnitude: products from 1 to about 2^63
    for (char letter : {'G', 'J', 'L'}) {
      const std::uint64_t size = std::min<std::uint64_t>(random() % (1 << random() % 22) + 1, (1 << 21) - 1);
      setCounter(letter, "1", QString::number(size));
      next *= size;
    }
    if (random() % 2) button("cmdR")->click();
    expectWhole(next, list()->count());
  }
}

TEST_F(CountLabelTest, TypingIntoACounterUpdatesOnlyTheLabel) {
  workedExample();
  const QStringList hosts = items(combo("cmbB")), symbols = items(combo("cmbK")), extensions = items(combo("cmbN"));
  typeInto(combo("cmbG(1)"), "5");
  expectCount("次回 5 件 / 一覧 0 件", "最初: http://pics/a/01/01~0.mpg\n最後: http://pics/a/05/05~0.mpg");
  typeInto(combo("cmbG(1)"), "");
  QTest::keyClick(combo("cmbG(1)"), Qt::Key_Backspace);
  expectCount("次回 ? 件 / 一覧 0 件", "カウンター G の値「」は整数として読めません。");
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(items(combo("cmbB")), hosts);
  EXPECT_EQ(items(combo("cmbK")), symbols);
  EXPECT_EQ(items(combo("cmbN")), extensions);
  EXPECT_EQ(list()->count(), 0u);
}

TEST_F(CountLabelTest, LabelPlacement) {
  QLabel* l = label();
  EXPECT_EQ(l->geometry(), QRect(384, 172, 216, 17));
  EXPECT_LT(l->geometry().right(), button("cmdEnd")->geometry().left());
  EXPECT_EQ(l->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(l->frameShape(), QFrame::NoFrame);
  EXPECT_EQ(l->font(), button("cmdR")->font());
}

// For any template the window can hold, the label's count and the tooltip's first and last
// address are what the next run appends.
TEST_F(CountLabelTest, LabelPredictsTheRun) {
  std::mt19937 random(20261207);
  const auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  const QStringList switches = {"CheckC", "CheckD", "CheckE", "CheckF", "CheckG", "CheckH",
                                "CheckI", "CheckJ", "CheckK", "CheckL", "CheckM", "CheckN"};
  for (int round = 0; round < 150; ++round) {
    SCOPED_TRACE(round);
    button("cmdClear")->click();
    if (pick(0, 1)) button("Check2")->click();
    for (const QString& name : switches) {
      if (pick(0, 3) == 0) check(name)->click();
    }
    combo("cmbB")->setEditText(QString(pick(0, 3), QChar('h')));
    combo("cmbD")->setCurrentIndex(pick(-1, 25));
    control<QLineEdit>("txtF")->setText(QString::number(pick(0, 9)));
    for (char letter : {'G', 'J', 'L'}) {
      const auto option = QStringLiteral("opt%1(%2)").arg(letter == 'G' ? 1 : letter == 'J' ? 2 : 3).arg(pick(0, 2));
      if (button(option)->isEnabled()) button(option)->click();
      const int from = pick(-3, 12);
      if (combo(QStringLiteral("cmb%1(0)").arg(letter))->isEnabled()) {
        setCounter(letter, QString::number(from), QString::number(from + pick(-2, 9)));
      }
    }

    const QString text = label()->text();
    ASSERT_TRUE(text.startsWith("次回 ") && text.contains(" 件 / 一覧 0 件")) << text.toStdString();
    const std::uint64_t predicted = text.section(' ', 1, 1).remove(',').toULongLong();
    const QStringList detail = button("cmdR")->toolTip().split('\n').mid(1);
    button("cmdR")->click();
    ASSERT_EQ(list()->count(), predicted);
    if (predicted == 0) continue;
    EXPECT_EQ(detail.first().section(": ", 1), list()->text(0));
    EXPECT_EQ(detail.last().section(": ", 1), list()->text(predicted - 1));
    EXPECT_EQ(detail.size(), predicted == 1 ? 1 : 2);
  }
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace serialix::testing
