#include "platform/services/top_most.h"

#include <QWidget>

namespace serialix {

std::int32_t SetTopMost(QWidget* window) {
  if (window == nullptr || !window->isWindow()) return 0;
  const bool wasVisible = window->isVisible();
  window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
  if (wasVisible) window->show();  // setWindowFlag hides a shown window
  return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) ? 1 : 0;
}

}  // namespace serialix
