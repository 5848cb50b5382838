// The real save dialog and message box, inspected while they are open and then answered.
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "platform/message_box.h"
#include "platform/save_dialog.h"

namespace serialix {
namespace {

// Runs check on the first modal dialog of type T once it is open.
template <typename T>
void WhenOpen(std::function<void(T*)> check) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, check] {
    if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
      timer->stop();
      timer->deleteLater();
      check(dialog);
    }
  });
  timer->start();
}

TEST(QtSaveDialog, ShowsTheDescriptionsAsGivenSelectsTheFirstAndReturnsTheNameUnchanged) {
  QTemporaryDir dir;
  SaveDialogRequest request;
  request.title = "txt書き出し";
  request.filterDescriptions = {"txtﾌｧｲﾙ(.txt)", "lstﾌｧｲﾙ(.lst)", "すべてのﾌｧｲﾙ(*.*)"};
  request.filterPatterns = {"*.txt", "*.lst", "*.*"};
  request.folder = dir.path();
  request.proposedName = "List";

  WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "txt書き出し");
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_TRUE(dialog->defaultSuffix().isEmpty());
    EXPECT_EQ(dialog->directory().absolutePath(), QDir(dir.path()).absolutePath());
    EXPECT_EQ(dialog->nameFilters(),
              QStringList({"txtﾌｧｲﾙ(.txt) (*.txt)", "lstﾌｧｲﾙ(.lst) (*.lst)", "すべてのﾌｧｲﾙ(*.*) (*.*)"}));
    // What the user sees in the type box: the descriptions, character for character.
    auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
    ASSERT_NE(types, nullptr);
    ASSERT_EQ(types->count(), 3);
    EXPECT_EQ(types->currentIndex(), 0);
    EXPECT_EQ(types->itemText(0), "txtﾌｧｲﾙ(.txt)");
    EXPECT_EQ(types->itemText(1), "lstﾌｧｲﾙ(.lst)");
    EXPECT_EQ(types->itemText(2), "すべてのﾌｧｲﾙ(*.*)");
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), "List");
    static_cast<QDialog*>(dialog)->accept();
  });
  const std::optional<QString> chosen = QtSaveDialog().ask(nullptr, request);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, QDir(dir.path()).filePath("List"));

  WhenOpen<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
  EXPECT_FALSE(QtSaveDialog().ask(nullptr, request).has_value());
}

TEST(QtMessageBox, QuestionHasYesAndNoWithYesTheDefaultAndNoIcon) {
  struct Case {
    int key;
    MessageBox::Answer expected;
  };
  for (const Case& c : {Case{Qt::Key_Return, MessageBox::Answer::Yes},
                        Case{Qt::Key_Escape, MessageBox::Answer::No}}) {
    WhenOpen<QMessageBox>([&](QMessageBox* box) {
      EXPECT_EQ(box->windowTitle(), "Serialix");
      EXPECT_EQ(box->text(), "上書保存してもいいの？");
      EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
      EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
      EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
      QTest::keyClick(box, static_cast<Qt::Key>(c.key));
    });
    EXPECT_EQ(QtMessageBox().askYesNo(nullptr, "Serialix", "上書保存してもいいの？"), c.expected);
  }

  WhenOpen<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
    box->button(QMessageBox::Ok)->click();
  });
  QtMessageBox().inform(nullptr, "Serialix", "x");
}

}  // namespace
}  // namespace serialix
