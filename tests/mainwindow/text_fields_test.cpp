#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>

#include "main_window_fixture.h"
#include "mainwindow/window_messages.h"
#include "platform/input/control_characters.h"

namespace serialix::testing {
namespace {

using TextFieldsTest = MainWindowTest;

QLineEdit* editOf(QWidget* field) {
  if (auto* combo = qobject_cast<QComboBox*>(field)) return combo->lineEdit();
  return qobject_cast<QLineEdit*>(field);
}

// Pasted or composed line breaks, tabs and other control characters never enter a template
// field, so a run cannot put a line break inside an address.
TEST_F(TextFieldsTest, PastedAndComposedControlCharactersAreRemovedFromEveryField) {
  w->findChild<QPushButton*>("Check2")->click();  // release the link so J's combos take input
  const struct {
    const char* field;
    const char* pasted;
    const char* kept;
  } fields[] = {
      {"cmbB", "host\r\nevil.example\n", "hostevil.example"},
      {"txtF", "a\tb\x01", "ab"},
      {"txtI", "\x1B[1mc", "[1mc"},
      {"txtF", "c\u202Egpj.exe\u2069", "cgpj.exe"},
      {"txtI", "a\u2028b\u2029c\u0085d\u200Fe\u2066", "abcde"},
      {"cmbK", "-\r", "-"},
      {"cmbN", "\nmpg\x7F", "mpg"},
      {"cmbG(0)", "\r\n1", "1"},
      {"cmbG(1)", "3\n", "3"},
      {"cmbJ(0)", "4\t", "4"},
      {"cmbJ(1)", "5\r", "5"},
      {"cmbL(0)", "\n6", "6"},
      {"cmbL(1)", "7\n8", "78"},
  };
  for (const auto& f : fields) {
    SCOPED_TRACE(f.field);
    QLineEdit* edit = editOf(w->findChild<QWidget*>(f.field));
    ASSERT_NE(edit, nullptr);
    ASSERT_TRUE(edit->isEnabled());
    QGuiApplication::clipboard()->setText(QString::fromUtf8(f.pasted));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QString::fromUtf8(f.kept));
  }
  QLineEdit* txtF = w->findChild<QLineEdit*>("txtF");
  txtF->setFocus();
  txtF->selectAll();
  QInputMethodEvent composed;
  composed.setCommitString(QStringLiteral("ｘ\nｙ"));
  QApplication::sendEvent(txtF, &composed);
  EXPECT_EQ(txtF->text(), QStringLiteral("ｘｙ"));

  w->findChild<QPushButton*>("cmdR")->click();
  ASSERT_GE(rows().size(), 1);
  for (const QString& row : rows())
    EXPECT_FALSE(row.contains('\n') || row.contains('\r') || row.contains('\t')) << row.toStdString();
}

// Text that reaches a field some other way is refused at run time with a message.
TEST_F(TextFieldsTest, RunRefusesAControlCharacterThatGotIn) {
  QLineEdit* edit = w->findChild<QComboBox*>("cmbN")->lineEdit();
  edit->setValidator(nullptr);  // as if the field's own filter had been bypassed
  edit->setText(QStringLiteral("mp\tg"));
  w->findChild<QPushButton*>("cmdR")->click();
  EXPECT_EQ(rows().size(), 0);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            QStringLiteral("セグメント N の文字列に改行などの制御文字が含まれているため、一覧に追加できません。"));
}

// A paste the field could not show within a second is undone and said; the program's own texts
// (a history entry) are not limited, and such a text can still be shortened.
TEST_F(TextFieldsTest, APasteLongerThanAFieldTakesIsUndoneWithAMessage) {
  const QString tooLong(kLongestEditedText + 1, QLatin1Char('7'));
  for (const char* field : {"cmbB", "txtF", "cmbG(1)"}) {
    SCOPED_TRACE(field);
    QLineEdit* edit = editOf(w->findChild<QWidget*>(field));
    edit->setFocus();
    QTest::keyClicks(edit, "ab");
    const QString before = edit->text();
    messages.shown.clear();
    QGuiApplication::clipboard()->setText(tooLong);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QApplication::processEvents();  // the message follows the undo
    EXPECT_EQ(edit->text(), before);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, PastedTextTooLongMessage());
  }
  // The same from the field's context menu.
  QLineEdit* host = editOf(w->findChild<QWidget*>("cmbB"));
  const QString before = host->text();
  messages.shown.clear();
  QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(2, 2), host->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(host, &menuEvent);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  const auto actions = menu->actions();
  const auto paste = std::find_if(actions.begin(), actions.end(),
                                  [](QAction* a) { return a->text().section('\t', 0, 0) == QLineEdit::tr("&Paste"); });
  ASSERT_NE(paste, actions.end());
  (*paste)->trigger();
  menu->close();
  QApplication::processEvents();
  EXPECT_EQ(host->text(), before);
  EXPECT_EQ(messages.shown.size(), 1u);

  host->setText(tooLong);
  QTest::keyClick(host, Qt::Key_End);
  QTest::keyClick(host, Qt::Key_Backspace);
  EXPECT_EQ(host->text().size(), kLongestEditedText);
  messages.shown.clear();
  QTest::keyClick(host, Qt::Key_X);  // a typed character past the limit is refused alike
  QApplication::processEvents();
  EXPECT_EQ(host->text().size(), kLongestEditedText);
  EXPECT_EQ(messages.shown.size(), 1u);
}

// Entries longer than Qt's default edit limit of 32767 characters are saved and come back whole.
TEST_F(TextFieldsTest, LongHistoryEntriesAreKeptWhole) {
  const QString host(40000, QLatin1Char('h'));
  w->findChild<QComboBox*>("cmbB")->setEditText(host);
  w->findChild<QPushButton*>("cmdR")->click();
  restart();
  EXPECT_EQ(items(w->findChild<QComboBox*>("cmbB")), QStringList{host});
}

}  // namespace
}  // namespace serialix::testing
