#pragma once

#include <QUrl>
#include <system_error>
#include <vector>

#include "platform/services/url_opener.h"

namespace serialix {

// Opens nothing, records every address and answers with `answer`.
class RecordingUrlOpener : public UrlOpener {
 public:
  std::error_code answer;
  std::vector<QUrl> opened;
  std::error_code open(const QUrl& url) override;
};

}  // namespace serialix
