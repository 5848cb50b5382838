#include "platform/input/wheel_guard.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace serialix {
namespace {

void Wheel(QWidget* target, int delta) {
  const QPointF at(5, 5);
  QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &event);
}

TEST(IgnoreWheelOnUnfocusedCombos, OnlyTheFocusedComboTurnsWithTheWheel) {
  QWidget form;
  auto* layout = new QVBoxLayout(&form);
  QComboBox* combos[2] = {new QComboBox, new QComboBox};
  for (QComboBox* combo : combos) {
    combo->setEditable(true);
    combo->addItems({"0", "1", "2", "3"});
    combo->setCurrentIndex(1);
    layout->addWidget(combo);
  }
  IgnoreWheelOnUnfocusedCombos(&form);
  IgnoreWheelOnUnfocusedCombos(&form);  // twice is harmless
  form.show();
  QApplication::setActiveWindow(&form);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  for (QComboBox* combo : combos) EXPECT_EQ(combo->focusPolicy(), Qt::StrongFocus) << "the wheel would focus it";

  combos[0]->setFocus();
  ASSERT_TRUE(combos[0]->hasFocus());
  // Over the unfocused combo and over its line edit: nothing changes.
  Wheel(combos[1], -120);
  Wheel(combos[1]->lineEdit(), -120);
  EXPECT_EQ(combos[1]->currentIndex(), 1);
  EXPECT_EQ(combos[1]->currentText(), "1");
  // The focused one behaves as a combo does.
  Wheel(combos[0], -120);
  EXPECT_EQ(combos[0]->currentIndex(), 2);
  EXPECT_EQ(combos[0]->currentText(), "2");
}

}  // namespace
}  // namespace serialix
