#include "platform/services/url_opener.h"

#include <QDesktopServices>

namespace serialix {

bool DesktopUrlOpener::open(const QUrl& url) {
  return QDesktopServices::openUrl(url);
}

}  // namespace serialix
