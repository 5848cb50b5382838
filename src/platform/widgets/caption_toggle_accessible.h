#pragma once

#include <QString>

class QAbstractButton;

namespace serialix {

// A toggle button whose caption, not its pressed look, carries its state: assistive technology
// hears it checked exactly while the caption is checkedCaption, whether or not it looks pressed.
void ReportCheckedWhileCaption(QAbstractButton* button, const QString& checkedCaption);

// Sets the caption of such a button and, when that changes its checked state, tells assistive
// technology.
void SetToggleCaption(QAbstractButton* button, const QString& caption);

}  // namespace serialix
