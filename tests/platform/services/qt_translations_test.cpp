#include "platform/services/qt_translations.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "platform/services/message_box.h"

namespace serialix {
namespace {

// The test main installs the translations as the program's main does.
TEST(JapaneseQtTranslations, StandardButtonsAndTheFileDialogSpeakJapanese) {
  QMessageBox box(QMessageBox::NoIcon, "Serialix", "?", QMessageBox::Yes | QMessageBox::No);
  const QString yes = box.button(QMessageBox::Yes)->text();
  EXPECT_TRUE(yes.startsWith(QStringLiteral("はい"))) << yes.toStdString();
  EXPECT_TRUE(box.button(QMessageBox::No)->text().startsWith(QStringLiteral("いいえ")));

  QDialogButtonBox buttons(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
  for (QAbstractButton* button : buttons.buttons()) {
    const QString text = button->text();
    EXPECT_FALSE(text.contains("Save") || text.contains("Cancel")) << text.toStdString();
  }
  EXPECT_TRUE(buttons.button(QDialogButtonBox::Cancel)->text().startsWith(QStringLiteral("キャンセル")));

  QFileDialog dialog;
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  const auto* lookIn = dialog.findChild<QLabel*>("lookInLabel");
  ASSERT_NE(lookIn, nullptr);
  EXPECT_FALSE(lookIn->text().contains("Look in")) << lookIn->text().toStdString();
  for (QAbstractButton* button : dialog.findChild<QDialogButtonBox*>()->buttons()) {
    EXPECT_FALSE(button->text().contains("Save") || button->text().contains("Cancel")) << button->text().toStdString();
  }
}

// The program's own question box uses Qt's standard buttons, so it is translated too.
TEST(JapaneseQtTranslations, TheProgramsQuestionBoxHasJapaneseButtons) {
  QStringList texts;
  QTimer::singleShot(0, [&texts] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    for (QAbstractButton* button : box->buttons()) texts << button->text();
    box->button(QMessageBox::No)->click();
  });
  QtMessageBox messages;
  EXPECT_EQ(messages.askYesNo(nullptr, QStringLiteral("上書保存してもいいの？")), MessageBox::Answer::No);
  ASSERT_EQ(texts.size(), 2);
  for (const QString& text : texts) {
    EXPECT_TRUE(text.startsWith(QStringLiteral("はい")) || text.startsWith(QStringLiteral("いいえ")))
        << text.toStdString();
  }
}

}  // namespace
}  // namespace serialix
