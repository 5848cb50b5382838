#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>

#include "main_window_fixture.h"

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
