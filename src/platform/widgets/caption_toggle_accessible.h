#pragma once

#include <QString>

class QWidget;

namespace serialix {

// A toggle whose caption, not its look, carries its state (a button that looks pressed while
// released, a label that is clicked): assistive technology hears it checkable, and checked exactly
// while the caption is checkedCaption. `toggle` is a button or a label.
void ReportCheckedWhileCaption(QWidget* toggle, const QString& checkedCaption);

// Sets the caption of such a toggle and, when that changes its checked state, tells assistive
// technology.
void SetToggleCaption(QWidget* toggle, const QString& caption);

}  // namespace serialix
