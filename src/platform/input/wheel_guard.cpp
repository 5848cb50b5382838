#include "platform/input/wheel_guard.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QObject>

namespace serialix {
namespace {

const char* const kFilterName = "serialix-unfocused-wheel-filter";

class UnfocusedWheelFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Wheel) return false;
    auto* combo = qobject_cast<QComboBox*>(watched);
    if (!combo || combo->hasFocus() || combo->isAncestorOf(QApplication::focusWidget())) return false;
    // Swallowed rather than passed on: the form around a combo has nothing to scroll.
    event->accept();
    return true;
  }
};

void Guard(QComboBox* combo, QObject* filter) {
  // With the default wheel focus, a spontaneous wheel event would focus the combo first and
  // then change it; click and Tab still give the focus.
  if ((combo->focusPolicy() & Qt::WheelFocus) == Qt::WheelFocus) combo->setFocusPolicy(Qt::StrongFocus);
  combo->removeEventFilter(filter);
  combo->installEventFilter(filter);
}

}  // namespace

void IgnoreWheelOnUnfocusedCombos(QWidget* root) {
  if (!root) return;
  auto* filter = root->findChild<QObject*>(kFilterName, Qt::FindDirectChildrenOnly);
  if (!filter) {
    filter = new UnfocusedWheelFilter(root);
    filter->setObjectName(kFilterName);
  }
  if (auto* combo = qobject_cast<QComboBox*>(root)) Guard(combo, filter);
  for (QComboBox* combo : root->findChildren<QComboBox*>()) Guard(combo, filter);
}

}  // namespace serialix
