#pragma once

#include <QUrl>
#include <vector>

#include "platform/services/url_opener.h"

namespace serialix {

// Opens nothing, records every address and answers with succeeds.
class RecordingUrlOpener : public UrlOpener {
 public:
  bool succeeds = true;
  std::vector<QUrl> opened;
  bool open(const QUrl& url) override;
};

}  // namespace serialix
