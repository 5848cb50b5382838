// What every dialog of the window does to its widgets for screen readers.
#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

namespace serialix {

inline void Describe(QWidget* widget, const QString& name, const QString& description) {
  widget->setAccessibleName(name);
  widget->setAccessibleDescription(description);
}

// A label that names `buddy` (its "&" letter moves the focus there).
inline QLabel* Caption(const QString& text, QWidget* buddy, const QString& description) {
  auto* label = new QLabel(text);
  label->setBuddy(buddy);
  Describe(label, text, description);
  return label;
}

}  // namespace serialix
