#include "platform/counter_combo_events.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <vector>

namespace serialix {
namespace {

struct KeyCase {
  const char* name;
  int key;
  Qt::KeyboardModifiers modifiers;
  QString text;
  int expected;
};

TEST(KeyAsciiFromKeyEvent, GivesTheCodeAWindowsKeyPressCarries) {
  const Qt::KeyboardModifiers none = Qt::NoModifier, ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
  const KeyCase cases[] = {
      {"digit", Qt::Key_5, none, "5", '5'},
      {"letter", Qt::Key_A, none, "a", 'a'},
      {"letter without text", Qt::Key_Q, none, "", 'q'},
      {"shifted symbol", Qt::Key_Exclam, shift, "!", '!'},
      {"below zero", Qt::Key_Slash, none, "/", '/'},
      {"above nine", Qt::Key_Colon, shift, ":", ':'},
      {"full-width digit", Qt::Key_unknown, none, QStringLiteral("５"), 0xFF15},
      {"Ctrl+C as Qt Test sends it", Qt::Key_C, ctrl, "c", 3},
      {"Ctrl+V as X11 sends it", Qt::Key_V, ctrl, "\x16", 22},
      {"Ctrl+V as Qt Test sends it", Qt::Key_V, ctrl, "v", 22},
      {"Ctrl+X", Qt::Key_X, ctrl, "x", 24},
      {"Ctrl+Shift+Z", Qt::Key_Z, ctrl | shift, "Z", 26},
      {"Backspace", Qt::Key_Backspace, none, "\b", 8},
      {"Tab", Qt::Key_Tab, none, "\t", 9},
      {"Shift+Tab", Qt::Key_Backtab, shift, "", 9},
      {"Return", Qt::Key_Return, none, "\r", 13},
      {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, "\r", 13},
      {"Shift+Insert pastes", Qt::Key_Insert, shift, "", 22},
      {"Shift+Delete cuts", Qt::Key_Delete, shift, "", 24},
      {"Ctrl+Insert copies", Qt::Key_Insert, ctrl, "", 3},
      {"Delete as X11 sends it", Qt::Key_Delete, none, "\x7f", 0},
      {"Delete as Qt Test sends it", Qt::Key_Delete, none, "", 0},
      {"Ctrl+Delete", Qt::Key_Delete, ctrl, "", 0},
      {"Left", Qt::Key_Left, none, "", 0},
      {"Shift+Right", Qt::Key_Right, shift, "", 0},
      {"Home", Qt::Key_Home, none, "", 0},
      {"Page Down", Qt::Key_PageDown, none, "", 0},
      {"F4", Qt::Key_F4, none, "", 0},
      {"Shift alone", Qt::Key_Shift, shift, "", 0},
      {"Alt+A", Qt::Key_A, Qt::AltModifier, "a", 0},
  };
  for (const KeyCase& c : cases) {
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
    combo = new QComboBox;
    combo->setEditable(true);
    combo->addItems({"0", "1", "2", "3"});
    combo->setEditText("");
    second = new QComboBox;
    second->setEditable(true);
    other = new QLineEdit;
    layout->addWidget(combo);
    layout->addWidget(second);
    layout->addWidget(other);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  void TearDown() override { combo->hidePopup(); }

  void installDigitsFilter() {
    InstallKeyPressHandler(combo, [this](int& code) {
      codes.push_back(code);
      DigitsOnly(code);
    });
  }
  void focusCombo() {
    combo->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(combo->hasFocus());
  }
  void type(const QString& text) { QTest::keyClicks(combo, text); }
  void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(combo, k, m); }
  QString text() const { return combo->currentText(); }

  QWidget window;
  QComboBox* combo = nullptr;
  QComboBox* second = nullptr;
  QLineEdit* other = nullptr;
  std::vector<int> codes;
};

TEST_F(CounterComboTest, DigitsFilterLetsOnlyDigitsIn) {
  installDigitsFilter();
  focusCombo();
  type("1a-2. /3:");
  EXPECT_EQ(text(), "123");
  EXPECT_EQ(codes, (std::vector<int>{'1', 'a', '-', '2', '.', ' ', '/', '3', ':'}));
  key(Qt::Key_Backspace);
  EXPECT_EQ(text(), "12");
  EXPECT_EQ(codes.back(), 8);
}

TEST_F(CounterComboTest, ClipboardKeysChangeNothingWhenDiscarded) {
  installDigitsFilter();
  focusCombo();
  type("123");
  QGuiApplication::clipboard()->setText("999");
  key(Qt::Key_V, Qt::ControlModifier);
  key(Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(text(), "123");
  combo->lineEdit()->selectAll();
  key(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(text(), "123");
  combo->lineEdit()->selectAll();
  key(Qt::Key_Delete, Qt::ShiftModifier);
  EXPECT_EQ(text(), "123");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "999");
}

TEST_F(CounterComboTest, KeysTheHandlerKeepsReachTheCombo) {
  InstallKeyPressHandler(combo, [this](int& code) { codes.push_back(code); });
  focusCombo();
  type("4");
  QGuiApplication::clipboard()->setText("56");
  key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(text(), "456");
  EXPECT_EQ(codes, (std::vector<int>{'4', 22}));
}

TEST_F(CounterComboTest, KeysWithoutACharacterPassUntouched) {
  installDigitsFilter();
  combo->setCurrentIndex(1);
  focusCombo();
  key(Qt::Key_Down);  // the next list entry
  EXPECT_EQ(text(), "2");
  combo->setEditText("123");
  codes.clear();
  key(Qt::Key_Home);
  key(Qt::Key_Right);
  key(Qt::Key_Delete);
  EXPECT_EQ(text(), "13");
  key(Qt::Key_End);
  key(Qt::Key_Left);
  type("7");
  EXPECT_EQ(text(), "173");
  EXPECT_EQ(codes, (std::vector<int>{'7'}));
}

TEST_F(CounterComboTest, InputMethodTextIsRefused) {
  installDigitsFilter();
  focusCombo();
  EXPECT_FALSE(combo->testAttribute(Qt::WA_InputMethodEnabled));
  EXPECT_FALSE(combo->lineEdit()->testAttribute(Qt::WA_InputMethodEnabled));
  // Something turning it back on is undone the next time the combo takes the focus.
  combo->setAttribute(Qt::WA_InputMethodEnabled, true);
  other->setFocus();
  focusCombo();
  EXPECT_FALSE(combo->testAttribute(Qt::WA_InputMethodEnabled));

  type("1");
  QInputMethodEvent composed;
  composed.setCommitString(QStringLiteral("２３"));
  QApplication::sendEvent(combo, &composed);
  QApplication::sendEvent(combo->lineEdit(), &composed);
  EXPECT_EQ(text(), "1");
}

TEST_F(CounterComboTest, FocusLossToAnotherWidgetCallsTheHandlerOnce) {
  int calls = 0;
  // As frmMain does: an emptied counter gets its zero text.
  InstallLostFocusHandler(combo, [&] {
    ++calls;
    if (text().isEmpty()) combo->setEditText("00");
  });
  focusCombo();
  other->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(text(), "00");
  focusCombo();
  QTest::keyClick(combo, Qt::Key_Tab);  // to the next combo
  QApplication::processEvents();
  ASSERT_TRUE(second->hasFocus());
  EXPECT_EQ(calls, 2);
  second->setFocus();  // already elsewhere: no further call
  other->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(calls, 2);
}

TEST_F(CounterComboTest, OpeningTheDropDownIsNoFocusLoss) {
  int calls = 0;
  InstallLostFocusHandler(combo, [&calls] { ++calls; });
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
}

}  // namespace
}  // namespace serialix
