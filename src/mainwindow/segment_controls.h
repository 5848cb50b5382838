#pragma once

#include <QString>
#include <functional>

#include "core/segments.h"

class QCheckBox;
class QObject;
class QWidget;

namespace serialix {

struct CounterControls;

// One segment as the window shows it: the core's description, its switch and its control.
struct SegmentControls {
  const Segment* segment = nullptr;
  QCheckBox* check = nullptr;          // CheckC .. CheckN; none for A and B
  QWidget* field = nullptr;            // the label, combo or text box; none for a counter
  CounterControls* counter = nullptr;  // G, J, L

  char letter() const { return segment->letter; }
  // Whether the segment goes into the address: no switch, or its switch is on.
  bool included() const;
};

// The window's word for what a segment holds ("ホスト", "区切り", "カウンター", ...).
QString SegmentRole(const Segment& segment);

// The fixed text of a segment as the window shows it ("http://", "/", ".").
QString FixedText(const Segment& segment);

// A field's text: a label's caption, a combo's current text, a text box's text.
QString FieldText(const QWidget* field);
void SetFieldText(QWidget* field, const QString& text);

// Calls changed whenever the field's text changes (a label's never does).
void OnFieldTextChanged(QWidget* field, QObject* context, const std::function<void()>& changed);

}  // namespace serialix
