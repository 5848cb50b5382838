// The window's context menu: the window-wide commands, which also work by their keys from every
// control, gathered where a user looks for them with the right mouse button.
#include <QContextMenuEvent>
#include <QMenu>

#include "mainwindow/frm_main.h"

namespace serialix {

std::unique_ptr<QMenu> frmMain::WindowMenu() {
  auto menu = std::make_unique<QMenu>(this);
  menu->setObjectName(QStringLiteral("WindowMenu"));
  menu->setAccessibleName(QStringLiteral("ウィンドウのメニュー"));
  menu->setAccessibleDescription(QStringLiteral("テンプレート全体に使えるコマンド"));
  menu->addAction(exampleAddressAction_);
  menu->addAction(templateFromPatternAction_);
  menu->addAction(copyPatternAction_);
  menu->addSeparator();
  menu->addAction(httpsAction_);
  menu->addSeparator();
  menu->addAction(openTemplateAction_);
  menu->addAction(saveTemplateAction_);
  return menu;
}

void frmMain::contextMenuEvent(QContextMenuEvent* event) {
  WindowMenu()->exec(event->globalPos());
}

}  // namespace serialix
