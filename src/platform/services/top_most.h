#pragma once

#include <cstdint>

class QWidget;

namespace serialix {

// Keeps a top-level window above the windows that are not themselves kept on top, without
// moving or resizing it. Returns non-zero when the window now carries the stay-on-top hint.
// Call it before the window is shown: changing window flags of a shown window hides it.
std::int32_t SetTopMost(QWidget* window);

}  // namespace serialix
