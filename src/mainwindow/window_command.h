#pragma once

#include <QKeySequence>
#include <QString>

class QAction;
class QWidget;

namespace serialix {

// A window-wide command: its key works from every control, the combos and text boxes included,
// and shows beside it in the context menus; the description is its tooltip and status tip.
QAction* WindowCommand(QWidget* window, const QString& text, const QString& name, const QKeySequence& key,
                       const QString& description);

}  // namespace serialix
