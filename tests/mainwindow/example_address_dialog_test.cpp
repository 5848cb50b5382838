#include "mainwindow/example_address_dialog.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <functional>

namespace serialix {
namespace {

ExampleAddress Example(const char* text) {
  return std::get<ExampleAddress>(ReadExampleAddress(text));
}

QListWidget* Runs(QWidget& dialog) {
  return dialog.findChild<QListWidget*>("digitRuns");
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
  for (int i = 0; i < Runs(dialog)->count(); ++i) states.push_back(Runs(dialog)->item(i)->checkState());
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
  EXPECT_EQ(Shown(dialog, "firstAddress"), "http://a.com/2024/05/pic_0007/12345678901.jpg");
  const QString notes = Note(dialog, "notes");
  EXPECT_TRUE(notes.contains("「https://」は「http://」になります")) << notes.toStdString();
  EXPECT_TRUE(notes.contains("「0007」の先頭の「0」")) << notes.toStdString();

  // The eleven-digit run is listed but cannot be checked, not even by a stray change.
  QListWidgetItem* longRun = Runs(dialog)->item(3);
  EXPECT_TRUE(longRun->text().startsWith("12345678901"));
  EXPECT_FALSE(longRun->flags() & (Qt::ItemIsEnabled | Qt::ItemIsUserCheckable));
  longRun->setCheckState(Qt::Checked);
  EXPECT_EQ(longRun->checkState(), Qt::Unchecked);
  EXPECT_EQ(dialog.chosenRuns(), std::vector<std::size_t>{2});
}

TEST(ExampleAddressDialog, NamesEachRunWithItsValueAndCharacterColumn) {
  ExampleAddressDialog dialog(Example("http://例え.jp/画像/第3話0012.html"));
  ASSERT_EQ(Runs(dialog)->count(), 2);
  EXPECT_EQ(Runs(dialog)->item(0)->text(), "3（値 3、18 文字目）");
  EXPECT_EQ(Runs(dialog)->item(1)->text(), "0012（値 12、20 文字目）");
}

TEST(ExampleAddressDialog, RefusesAFourthRunWithANote) {
  ExampleAddressDialog dialog(Example("http://a.com/1/2/3/4.jpg"));
  QListWidget* runs = Runs(dialog);
  runs->item(0)->setCheckState(Qt::Checked);
  runs->item(1)->setCheckState(Qt::Checked);
  EXPECT_TRUE(Note(dialog, "runLimitNote").isEmpty());
  EXPECT_EQ(Shown(dialog, "firstAddress"), "http://a.com/1/2/3/4.jpg");
  EXPECT_EQ(Segment(dialog, 11), "4 ～ 4（1 形式）");  // L is the rightmost of the three

  runs->item(2)->setCheckState(Qt::Checked);
  EXPECT_EQ(runs->item(2)->checkState(), Qt::Unchecked);
  EXPECT_EQ(dialog.chosenRuns(), (std::vector<std::size_t>{0, 1, 3}));
  EXPECT_TRUE(Note(dialog, "runLimitNote").contains("3 つまで"));

  runs->item(0)->setCheckState(Qt::Unchecked);
  EXPECT_TRUE(Note(dialog, "runLimitNote").isEmpty());
  runs->item(2)->setCheckState(Qt::Checked);
  EXPECT_EQ(dialog.chosenRuns(), (std::vector<std::size_t>{1, 2, 3}));
  EXPECT_EQ(Segment(dialog, 1), "a.com/1");
  EXPECT_EQ(Shown(dialog, "firstAddress"), "http://a.com/1/2/3/4.jpg");
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
  PressWhenShown(QDialogButtonBox::Cancel, [](QDialog& d) { Runs(d)->item(0)->setCheckState(Qt::Checked); });
  EXPECT_FALSE(AskTemplateFromExample(example, nullptr));

  PressWhenShown(QDialogButtonBox::Ok, [](QDialog& d) { Runs(d)->item(0)->setCheckState(Qt::Checked); });
  const auto proposal = AskTemplateFromExample(example, nullptr);
  ASSERT_TRUE(proposal);
  EXPECT_TRUE(proposal->on.G && proposal->on.J && !proposal->on.L);
  EXPECT_EQ(std::tie(proposal->G.from, proposal->J.from, proposal->I), std::make_tuple("1", "2", "b"));
  EXPECT_EQ(proposal->lastCounter, 'J');
}

TEST(ExampleAddressDialog, EveryControlHasAJapaneseAccessibleName) {
  ExampleAddressDialog dialog(Example("http://a.com/x"));
  EXPECT_EQ(Runs(dialog)->count(), 1);  // the line that says there is no number
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
