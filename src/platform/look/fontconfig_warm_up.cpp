#include "platform/look/fontconfig_warm_up.h"

#include <fontconfig/fontconfig.h>

namespace serialix {

void WarmUpFontconfig() {
  FcInit();
}

}  // namespace serialix
