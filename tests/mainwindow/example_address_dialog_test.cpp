#include "mainwindow/example_address_dialog.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <functional>

namespace serialix {
namespace {

ExampleAddress Example(const char* text) {
  return std::get<ExampleAddress>(ReadExampleAddress(text));
}

QListView* Runs(QWidget& dialog) {
  return dialog.findChild<QListView*>("digitRuns");
}
QModelIndex RunAt(QWidget& dialog, int row) {
  return Runs(dialog)->model()->index(row, 0);
}
// As a click on the run's check box would.
void Check(QWidget& dialog, int row, Qt::CheckState state) {
  Runs(dialog)->model()->setData(RunAt(dialog, row), state, Qt::CheckStateRole);
}
Qt::CheckState CheckOf(QWidget& dialog, int row) {
  return RunAt(dialog, row).data(Qt::CheckStateRole).value<Qt::CheckState>();
}
int RunCount(QWidget& dialog) {
  return Runs(dialog)->model()->rowCount();
}
QString RunText(QWidget& dialog, int row) {
  return RunAt(dialog, row).data().toString();
}
QString Shown(QWidget& dialog, const char* name) {
  return dialog.findChild<QLineEdit*>(name)->text();
}
QString Note(QWidget& dialog, const char* name) {
  return dialog.findChild<QLabel*>(name)->text();
}
QString Segment(QWidget& dialog, int row) {
  return dialog.findChild<QTableWidget*>("segments")->item(row, 1)->text();
}

std::vector<Qt::CheckState> Checks(QWidget& dialog) {
  std::vector<Qt::CheckState> states;
  for (int i = 0; i < RunCount(dialog); ++i) states.push_back(CheckOf(dialog, i));
  return states;
}

TEST(ExampleAddressDialog, ChecksTheRightmostUsableRunAndShowsTheTemplate) {
  ExampleAddressDialog dialog(Example("https://a.com/2024/05/pic_0007/12345678901.jpg"));
  EXPECT_EQ(dialog.windowTitle(), "例のアドレスから作成");
  EXPECT_EQ(Shown(dialog, "exampleAddress"), "https://a.com/2024/05/pic_0007/12345678901.jpg");
  EXPECT_EQ(Checks(dialog), (std::vector{Qt::Unchecked, Qt::Unchecked, Qt::Checked, Qt::Unchecked}));
  EXPECT_EQ(Segment(dialog, 5), "pic_0");
  EXPECT_EQ(Segment(dialog, 6), "007 ～ 007（001 形式）");
  EXPECT_EQ(Segment(dialog, 9), "オフ");
  EXPECT_EQ(Segment(dialog, 0), "https://");
  EXPECT_EQ(Shown(dialog, "firstAddress"), "https://a.com/2024/05/pic_0007/12345678901.jpg");
  const QString notes = Note(dialog, "notes");
  EXPECT_FALSE(notes.contains("https://")) << notes.toStdString();
  EXPECT_TRUE(notes.contains("「0007」の先頭の「0」")) << notes.toStdString();

  // The eleven-digit run is listed but cannot be checked, not even by a stray change.
  EXPECT_TRUE(RunText(dialog, 3).startsWith("12345678901"));
  EXPECT_FALSE(RunAt(dialog, 3).flags() & (Qt::ItemIsEnabled | Qt::ItemIsUserCheckable));
  Check(dialog, 3, Qt::Checked);
  EXPECT_EQ(CheckOf(dialog, 3), Qt::Unchecked);
  EXPECT_EQ(dialog.chosenRuns(), std::vector<std::size_t>{2});
}

TEST(ExampleAddressDialog, NamesEachRunWithItsValueAndCharacterColumn) {
  ExampleAddressDialog dialog(Example("http://例え.jp/画像/第3話0012.html"));
  ASSERT_EQ(RunCount(dialog), 2);
  EXPECT_EQ(RunText(dialog, 0), "3（値 3、18 文字目）");
  EXPECT_EQ(RunText(dialog, 1), "0012（値 12、20 文字目）");
}

TEST(ExampleAddressDialog, RefusesAFourthRunWithANote) {
  ExampleAddressDialog dialog(Example("http://a.com/1/2/3/4.jpg"));
  Check(dialog, 0, Qt::Checked);
  Check(dialog, 1, Qt::Checked);
  EXPECT_TRUE(Note(dialog, "runLimitNote").isEmpty());
  EXPECT_EQ(Shown(dialog, "firstAddress"), "http://a.com/1/2/3/4.jpg");
  EXPECT_EQ(Segment(dialog, 11), "4 ～ 4（1 形式）");  // L is the rightmost of the three

  Check(dialog, 2, Qt::Checked);
  EXPECT_EQ(CheckOf(dialog, 2), Qt::Unchecked);
  EXPECT_EQ(dialog.chosenRuns(), (std::vector<std::size_t>{0, 1, 3}));
  EXPECT_TRUE(Note(dialog, "runLimitNote").contains("3 つまで"));

  Check(dialog, 0, Qt::Unchecked);
  EXPECT_TRUE(Note(dialog, "runLimitNote").isEmpty());
  Check(dialog, 2, Qt::Checked);
  EXPECT_EQ(dialog.chosenRuns(), (std::vector<std::size_t>{1, 2, 3}));
  EXPECT_EQ(Segment(dialog, 1), "a.com/1");
  EXPECT_EQ(Shown(dialog, "firstAddress"), "http://a.com/1/2/3/4.jpg");
}

// A long address is shown cut in the middle, every run stays choosable, the whole is copied.
TEST(ExampleAddressDialog, ALongAddressIsShownCutAndCopiedWhole) {
  std::string text = "http://a.com/";
  for (int i = 0; i < 5000; ++i) text += "1a";
  ExampleAddressDialog dialog(Example(text.c_str()));
  EXPECT_EQ(RunCount(dialog), 5000);
  EXPECT_EQ(dialog.chosenRuns(), std::vector<std::size_t>{4999});
  EXPECT_LE(Shown(dialog, "exampleAddress").size(), 200);
  EXPECT_LE(Shown(dialog, "firstAddress").size(), 200);
  EXPECT_LE(Segment(dialog, 1).size(), 200);
  EXPECT_TRUE(Shown(dialog, "exampleAddress").startsWith("http://a.com/1a1a"));
  dialog.findChild<QPushButton*>("copyWholeAddress")->click();
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), text);
}

// Presses a button of the dialog once it runs modally.
void PressWhenShown(QDialogButtonBox::StandardButton which, std::function<void(QDialog&)> before = {}) {
  QTimer::singleShot(0, [=] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->focusWidget(), Runs(*dialog));
    if (before) before(*dialog);
    dialog->findChild<QDialogButtonBox*>()->button(which)->click();
  });
}

TEST(ExampleAddressDialog, OkGivesTheProposalCancelGivesNothing) {
  const ExampleAddress example = Example("http://a.com/a/1/b2.html");
  PressWhenShown(QDialogButtonBox::Cancel, [](QDialog& d) { Check(d, 0, Qt::Checked); });
  EXPECT_FALSE(AskTemplateFromExample(example, nullptr));

  PressWhenShown(QDialogButtonBox::Ok, [](QDialog& d) { Check(d, 0, Qt::Checked); });
  const auto proposal = AskTemplateFromExample(example, nullptr);
  ASSERT_TRUE(proposal);
  EXPECT_TRUE(proposal->on.G && proposal->on.J && !proposal->on.L);
  EXPECT_EQ(std::tie(proposal->G.from, proposal->J.from, proposal->I), std::make_tuple("1", "2", "b"));
  EXPECT_EQ(proposal->lastCounter, 'J');
}

TEST(ExampleAddressDialog, EveryControlHasAJapaneseAccessibleName) {
  ExampleAddressDialog dialog(Example("http://a.com/x"));
  EXPECT_EQ(RunCount(dialog), 1);  // the line that says there is no number
  EXPECT_EQ(dialog.chosenRuns(), std::vector<std::size_t>{});
  EXPECT_TRUE(Note(dialog, "notes").contains("1 件だけ"));
  int controls = 0;
  for (QWidget* w : dialog.findChildren<QWidget*>()) {
    if (!qobject_cast<QLabel*>(w) && !qobject_cast<QLineEdit*>(w) && !qobject_cast<QAbstractButton*>(w) &&
        !qobject_cast<QAbstractItemView*>(w)) {
      continue;
    }
    if (qobject_cast<QHeaderView*>(w)) continue;  // part of the table
    if (qobject_cast<QAbstractButton*>(w) && w->parentWidget() != dialog.findChild<QDialogButtonBox*>()) continue;
    ++controls;
    EXPECT_FALSE(w->accessibleName().isEmpty()) << w->metaObject()->className() << " " << w->objectName().toStdString();
    EXPECT_FALSE(w->accessibleDescription().isEmpty()) << w->metaObject()->className();
  }
  EXPECT_GE(controls, 12);
}

}  // namespace
}  // namespace serialix
