#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSignalBlocker>

#include <fstream>

#include "platform/files/codepage932.h"

#include "main_window_fixture.h"

namespace serialix::testing {
namespace {

using WindowLifeTest = MainWindowTest;

// Destroying a shown window takes the focus from its controls: a counter combo's edit field
// then finishes editing, and a text that names an item of its list makes the combo emit
// activated. No handler may run on the window while it is being torn down; here the counter
// change handler would copy the text to the linked counter and raise the To value.
TEST_F(WindowLifeTest, DestroyingAShownWindowRunsNoHandler) {
  for (const char* name : {"cmbG(0)", "cmbL(0)"}) {
    SCOPED_TRACE(name);
    QComboBox* typed = combo(name);
    ASSERT_GT(typed->findText("5"), 0);
    typed->setFocus();
    ASSERT_TRUE(typed->hasFocus());
    {
      const QSignalBlocker quiet(typed);  // the window's own handlers see nothing until teardown
      typed->setEditText("5");
    }
    int changes = 0;
    for (QComboBox* other : w->findChildren<QComboBox*>()) {
      if (other != typed) QObject::connect(other, &QComboBox::editTextChanged, other, [&changes] { ++changes; });
    }
    w.reset();
    EXPECT_EQ(changes, 0);
    open();
  }
}

// A saved position that would put the title bar outside every screen gives the default
// placement; one a screen shows, even in part, is kept as stored.
TEST_F(WindowLifeTest, OffScreenPositionGivesTheDefaultPlacement) {
  w.reset();
  open();
  const QPoint defaultPlace = w->pos();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const struct {
    double left, top;  // twips
    bool kept;
  } rows[] = {
      {2147483647, -2147483647, false},
      {-2147483647, 0, false},
      {0, (screen.bottom() + 50) * 15.0, false},
      {0, -2000 * 15.0, false},
      {975, 600, true},
      {(screen.left() - 300) * 15.0, (screen.top() + 10) * 15.0, true},  // partly off the left edge
      {(screen.right() - 100) * 15.0, (screen.bottom() - 40) * 15.0, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.left << ", " << row.top);
    w.reset();
    std::ofstream(iniPath(), std::ios::binary) << "[" << Utf8ToCp932("ｳｨﾝﾄﾞｳ位置") << "]\r\nfrmMain.Left=" << std::fixed
                                               << row.left << "\r\nfrmMain.Top=" << row.top << "\r\n";
    open();
    const QPoint stored(qRound(row.left / 15), qRound(row.top / 15));
    EXPECT_EQ(w->pos(), row.kept ? stored : defaultPlace);
  }
}

}  // namespace
}  // namespace serialix::testing
