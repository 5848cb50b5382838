#pragma once

#include <QString>

namespace serialix {

// The caption of a link button (Check1, Check2): "=" while the link holds, "≠" once released.
inline QString LinkCaption(bool linked) {
  return linked ? QStringLiteral("=") : QStringLiteral("≠");
}

}  // namespace serialix
