#include "platform/widgets/accessibility_events.h"

namespace serialix {
namespace {

std::function<void(QAccessibleEvent*)>& EventSink() {
  static std::function<void(QAccessibleEvent*)> sink;
  return sink;
}

}  // namespace

bool AccessibilityListening() {
  return QAccessible::isActive() || EventSink();
}

void SendAccessibilityEvent(QAccessibleEvent* event) {
  if (EventSink()) {
    EventSink()(event);
  } else {
    QAccessible::updateAccessibility(event);
  }
}

void SetAccessibilityEventSinkForTesting(std::function<void(QAccessibleEvent*)> sink) {
  EventSink() = std::move(sink);
}

}  // namespace serialix
