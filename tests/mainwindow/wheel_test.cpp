#include <QWheelEvent>

#include "main_window_fixture.h"

namespace serialix::testing {
namespace {

void WheelDown(QWidget* target) {
  const QPointF at(5, 5);
  QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &event);
}

using WheelTest = MainWindowTest;

// With the link on, a change of G's from value would also change J's.
TEST_F(WheelTest, WheelOverAnUnfocusedCounterComboChangesNothing) {
  auto* fromG = w->findChild<QComboBox*>("cmbG(0)");
  auto* fromJ = w->findChild<QComboBox*>("cmbJ(0)");
  auto* host = w->findChild<QComboBox*>("cmbB");
  ASSERT_TRUE(fromG && fromJ && host);
  host->setFocus();
  ASSERT_TRUE(host->hasFocus());
  const QString g = fromG->currentText(), j = fromJ->currentText();
  for (int i = 0; i < 2; ++i) {
    WheelDown(fromG);
    WheelDown(fromG->lineEdit());
  }
  EXPECT_EQ(fromG->currentText(), g);
  EXPECT_EQ(fromJ->currentText(), j);
  EXPECT_TRUE(host->hasFocus());

  fromG->setFocus();
  ASSERT_TRUE(fromG->hasFocus());
  WheelDown(fromG);  // from the typed text to the list's first entry, then one further
  WheelDown(fromG);
  EXPECT_NE(fromG->currentText(), g) << "a focused combo turns with the wheel as before";
}

}  // namespace
}  // namespace serialix::testing
