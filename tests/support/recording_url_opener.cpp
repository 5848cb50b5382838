#include "support/recording_url_opener.h"

namespace serialix {

bool RecordingUrlOpener::open(const QUrl& url) {
  opened.push_back(url);
  return succeeds;
}

}  // namespace serialix
