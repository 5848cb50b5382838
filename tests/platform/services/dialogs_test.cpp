// The real save dialog and message box, inspected while they are open and then answered.
#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "platform/services/message_box.h"
#include "platform/services/save_dialog.h"

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
  const QStringList descriptions = {"txtﾌｧｲﾙ(.txt)", "lstﾌｧｲﾙ(.lst)", "すべてのﾌｧｲﾙ(*.*)"};
  const SaveDialogRequest request{"txt書き出し", descriptions, {"*.txt", "*.lst", "*.*"}, 0, dir.path(), "List", {}};
  WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "txt書き出し");
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(dialog->directory().absolutePath(), QDir(dir.path()).absolutePath());
    // The patterns must filter, while the type box shows the descriptions character for character.
    EXPECT_EQ(dialog->nameFilters(),
              QStringList({"txtﾌｧｲﾙ(.txt) (*.txt)", "lstﾌｧｲﾙ(.lst) (*.lst)", "すべてのﾌｧｲﾙ(*.*) (*.*)"}));
    auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
    ASSERT_NE(types, nullptr);
    QStringList shown;
    for (int i = 0; i < types->count(); ++i) shown << types->itemText(i);
    EXPECT_EQ(shown, descriptions);
    EXPECT_EQ(types->currentIndex(), 0);
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), "List");
    static_cast<QDialog*>(dialog)->accept();
  });
  EXPECT_EQ(QtSaveDialog().ask(nullptr, request), std::optional<QString>(QDir(dir.path()).filePath("List")));

  WhenOpen<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
  EXPECT_FALSE(QtSaveDialog().ask(nullptr, request).has_value());

  // The UTF-8 export's suffix goes onto a name typed without one, and only there.
  SaveDialogRequest withSuffix = request;
  withSuffix.defaultSuffix = "txt";
  for (const auto& [typed, returned] : {std::pair{"List", "List.txt"}, std::pair{"urls.lst", "urls.lst"}}) {
    WhenOpen<QFileDialog>([typed = typed](QFileDialog* dialog) {
      // Typed into the name field: selectFile leaves that field alone while it has the focus,
      // which depends on when the window manager activates the dialog.
      auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
      ASSERT_NE(name, nullptr);
      name->setText(typed);
      static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(QtSaveDialog().ask(nullptr, withSuffix), std::optional<QString>(QDir(dir.path()).filePath(returned)));
  }
}

TEST(QtMessageBox, QuestionHasYesAndNoWithYesTheDefaultAndNoIcon) {
  for (const auto& [key, expected] :
       {std::pair{Qt::Key_Return, MessageBox::Answer::Yes}, std::pair{Qt::Key_Escape, MessageBox::Answer::No}}) {
    WhenOpen<QMessageBox>([key = key](QMessageBox* box) {
      EXPECT_EQ(box->windowTitle() + box->text(), "Serialix上書保存してもいいの？");
      EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
      EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
      EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
      QTest::keyClick(box, key);
    });
    EXPECT_EQ(QtMessageBox().askYesNo(nullptr, "上書保存してもいいの？"), expected);
  }
  WhenOpen<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
    box->button(QMessageBox::Ok)->click();
  });
  QtMessageBox().inform(nullptr, "x");
}

}  // namespace
}  // namespace serialix
