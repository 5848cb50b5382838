#include "platform/services/drag_starter.h"

#include <QDrag>
#include <QWidget>

namespace serialix {

void QtDragStarter::start(QWidget* source, std::unique_ptr<QMimeData> data) {
  // The drag owns its data and is deleted by Qt's event loop once the drop is over.
  auto* drag = new QDrag(source);
  drag->setMimeData(data.release());
  drag->exec(Qt::CopyAction, Qt::CopyAction);
}

}  // namespace serialix
