#include "platform/services/url_opener.h"

#include <QDesktopServices>

namespace serialix {

bool DesktopUrlOpener::open(const QUrl& url) {
  return QDesktopServices::openUrl(url);
}

bool RecordingUrlOpener::open(const QUrl& url) {
  opened.push_back(url);
  return succeeds;
}

}  // namespace serialix
