#pragma once

#include <QMimeData>
#include <memory>

class QWidget;

namespace serialix {

// Starts a drag and drop from a widget, behind an interface so tests see what would be offered
// without a drag loop that waits for the mouse.
class DragStarter {
 public:
  virtual ~DragStarter() = default;
  // Offers data as a copy; returns once the drop is done or cancelled.
  virtual void start(QWidget* source, std::unique_ptr<QMimeData> data) = 0;
};

// QDrag with the copy action.
class QtDragStarter : public DragStarter {
 public:
  void start(QWidget* source, std::unique_ptr<QMimeData> data) override;
};

}  // namespace serialix
