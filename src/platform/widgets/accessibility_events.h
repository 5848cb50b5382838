#pragma once

#include <QAccessible>
#include <functional>

namespace serialix {

// Events the program raises itself (beyond those Qt's widgets raise): a row of the list box, a
// toggle's checked state.

// Whether anyone would receive an event: assistive technology, or a test's sink. Building some
// events makes an interface, only worth it when someone listens.
bool AccessibilityListening();

// Hands the event to assistive technology, or to the test's sink when one is set.
void SendAccessibilityEvent(QAccessibleEvent* event);

// Test seam: Qt drops events while no assistive technology listens (always on the offscreen
// platform); with a sink set, the events above go to it instead. An empty function removes it.
void SetAccessibilityEventSinkForTesting(std::function<void(QAccessibleEvent*)> sink);

}  // namespace serialix
