#pragma once

#include <QMimeData>
#include <memory>
#include <vector>

#include "platform/services/drag_starter.h"

namespace serialix {

// Starts no drag loop; keeps what each drag would have offered.
class RecordingDragStarter : public DragStarter {
 public:
  std::vector<std::unique_ptr<QMimeData>> offered;
  void start(QWidget*, std::unique_ptr<QMimeData> data) override { offered.push_back(std::move(data)); }
};

}  // namespace serialix
