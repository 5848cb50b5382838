#include "platform/input/counter_combo_events.h"

#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <vector>

namespace serialix {
namespace {

TEST(KeyAsciiFromKeyEvent, GivesTheCodeAWindowsKeyPressCarries) {
  const Qt::KeyboardModifiers none = Qt::NoModifier, ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
  const struct {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    QString text;
    int expected;
  } cases[] = {
      // Keys the combo tests below send under Qt Test are left to them; here the other forms.
      {"letter without text", Qt::Key_Q, none, "", 'q'},      {"shifted symbol", Qt::Key_Exclam, shift, "!", '!'},
      {"full-width", Qt::Key_unknown, none, "５", 0xFF15},    {"Ctrl+C, Qt Test", Qt::Key_C, ctrl, "c", 3},
      {"Ctrl+V, X11", Qt::Key_V, ctrl, "\x16", 22},           {"Ctrl+Shift+Z", Qt::Key_Z, ctrl | shift, "Z", 26},
      {"Backspace", Qt::Key_Backspace, none, "\b", 8},        {"Tab", Qt::Key_Tab, none, "\t", 9},
      {"Shift+Tab", Qt::Key_Backtab, shift, "", 9},           {"Return", Qt::Key_Return, none, "\r", 13},
      {"Enter", Qt::Key_Enter, Qt::KeypadModifier, "\r", 13}, {"Ctrl+Insert", Qt::Key_Insert, ctrl, "", 3},
      {"Delete, X11", Qt::Key_Delete, none, "\x7f", 0},       {"Ctrl+Delete", Qt::Key_Delete, ctrl, "", 0},
      {"Shift+Right", Qt::Key_Right, shift, "", 0},           {"F4", Qt::Key_F4, none, "", 0},
      {"Shift alone", Qt::Key_Shift, shift, "", 0},           {"Alt+A", Qt::Key_A, Qt::AltModifier, "a", 0},
  };
  for (const auto& c : cases) {
    const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, c.text);
    EXPECT_EQ(KeyAsciiFromKeyEvent(event), c.expected) << c.name;
  }
}

// The counters' rule: digits, Backspace, Tab and Enter pass; everything else is discarded.
void DigitsOnly(int& code) {
  if (!((code >= '0' && code <= '9') || code == 8 || code == 9 || code == 13)) code = 0;
}

class CounterComboTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* layout = new QVBoxLayout(&window);
    for (QComboBox* c : {combo, second}) {
      c->setEditable(true);
      layout->addWidget(c);
    }
    layout->addWidget(other);
    combo->addItems({"0", "1", "2", "3"});
    combo->setEditText("");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  void TearDown() override { combo->hidePopup(); }

  void focusCombo() {
    combo->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(combo->hasFocus());
  }
  void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(combo, k, m); }
  QString text() const { return combo->currentText(); }

  QWidget window;
  QComboBox* combo = new QComboBox;
  QComboBox* second = new QComboBox;
  QLineEdit* other = new QLineEdit;
  std::vector<int> codes;
};

TEST_F(CounterComboTest, DiscardedKeysAndComposedTextChangeNothingOthersPass) {
  InstallKeyPressHandler(combo, [this](int& code) {
    codes.push_back(code);
    DigitsOnly(code);
  });
  focusCombo();
  QTest::keyClicks(combo, "1a-2. /3:");
  EXPECT_EQ(text(), "123");
  EXPECT_EQ(codes, (std::vector<int>{'1', 'a', '-', '2', '.', ' ', '/', '3', ':'}));
  key(Qt::Key_Backspace);
  EXPECT_EQ(text(), "12");

  // Discarded clipboard keys: no paste, no cut.
  QGuiApplication::clipboard()->setText("999");
  key(Qt::Key_V, Qt::ControlModifier);
  key(Qt::Key_Insert, Qt::ShiftModifier);
  for (Qt::Key cut : {Qt::Key_X, Qt::Key_Delete}) {
    combo->lineEdit()->selectAll();
    key(cut, cut == Qt::Key_X ? Qt::ControlModifier : Qt::ShiftModifier);
  }
  EXPECT_EQ(text(), "12");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "999");

  // Keys that type no character never reach the handler and keep working.
  codes.clear();
  combo->setCurrentIndex(1);
  key(Qt::Key_Down);
  EXPECT_EQ(text(), "2");
  combo->setEditText("123");
  for (Qt::Key k : {Qt::Key_Home, Qt::Key_Right, Qt::Key_Delete, Qt::Key_End, Qt::Key_Left}) key(k);
  QTest::keyClicks(combo, "7");
  EXPECT_EQ(text(), "173");
  EXPECT_EQ(codes, (std::vector<int>{'7'}));

  // Composed text would bypass the handler; something turning input methods back on is undone
  // the next time the combo takes the focus.
  EXPECT_FALSE(combo->lineEdit()->testAttribute(Qt::WA_InputMethodEnabled));
  combo->setAttribute(Qt::WA_InputMethodEnabled, true);
  other->setFocus();
  focusCombo();
  EXPECT_FALSE(combo->testAttribute(Qt::WA_InputMethodEnabled));
  QInputMethodEvent composed;
  composed.setCommitString("２３");
  QApplication::sendEvent(combo, &composed);
  QApplication::sendEvent(combo->lineEdit(), &composed);
  EXPECT_EQ(text(), "173");
}

TEST_F(CounterComboTest, KeysTheHandlerKeepsReachTheCombo) {
  InstallKeyPressHandler(combo, [this](int& code) { codes.push_back(code); });
  focusCombo();
  QTest::keyClicks(combo, "4");
  QGuiApplication::clipboard()->setText("56");
  key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(text(), "456");
  EXPECT_EQ(codes, (std::vector<int>{'4', 22}));
}

// Focus moving to another widget calls the handler once; opening the drop-down is no focus loss.
TEST_F(CounterComboTest, LostFocusHandlerRunsOncePerRealFocusLoss) {
  int calls = 0;
  InstallLostFocusHandler(combo, [&] {  // as frmMain does: an emptied counter gets its zero text
    ++calls;
    if (text().isEmpty()) combo->setEditText("00");
  });
  focusCombo();
  combo->showPopup();
  QApplication::processEvents();
  ASSERT_TRUE(combo->view()->isVisible());
  combo->hidePopup();
  QApplication::processEvents();
  EXPECT_EQ(calls, 0);
  other->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(text(), "00");

  focusCombo();
  key(Qt::Key_Tab);  // to the next combo
  QApplication::processEvents();
  ASSERT_TRUE(second->hasFocus());
  EXPECT_EQ(calls, 2);
  other->setFocus();  // already elsewhere: no further call
  QApplication::processEvents();
  EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace serialix
