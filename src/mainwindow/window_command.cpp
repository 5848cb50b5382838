#include "mainwindow/window_command.h"

#include <QAction>
#include <QWidget>

namespace serialix {

QAction* WindowCommand(QWidget* window, const QString& text, const QString& name, const QKeySequence& key,
                       const QString& description) {
  auto* action = new QAction(text, window);
  action->setObjectName(name);
  action->setShortcut(key);
  action->setShortcutContext(Qt::WindowShortcut);
  action->setShortcutVisibleInContextMenu(true);
  action->setToolTip(description);
  action->setStatusTip(description);
  window->addAction(action);
  return action;
}

}  // namespace serialix
