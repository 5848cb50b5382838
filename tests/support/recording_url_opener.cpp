#include "support/recording_url_opener.h"

namespace serialix {

std::error_code RecordingUrlOpener::open(const QUrl& url) {
  opened.push_back(url);
  return answer;
}

}  // namespace serialix
