#include "platform/input/clickable.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>
#include <utility>

namespace serialix {
namespace {

class LeftClickFilter : public QObject {
 public:
  LeftClickFilter(QWidget* widget, std::function<void()> clicked) : QObject(widget), clicked_(std::move(clicked)) {
    widget->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease) return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) return false;
    if (event->type() == QEvent::MouseButtonPress) {
      pressed_ = true;
      return true;
    }
    // Released elsewhere: the user changed their mind, as with a button.
    const bool over = static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint());
    if (std::exchange(pressed_, false) && over) clicked_();
    return true;
  }

 private:
  std::function<void()> clicked_;
  bool pressed_ = false;
};

}  // namespace

void OnLeftClick(QWidget* widget, std::function<void()> clicked) {
  widget->setCursor(Qt::PointingHandCursor);
  new LeftClickFilter(widget, std::move(clicked));
}

}  // namespace serialix
