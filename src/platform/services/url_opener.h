#pragma once

#include <QUrl>

namespace serialix {

// Hands an address to the desktop's handler for its scheme (usually the browser), behind an
// interface so tests see what would open.
class UrlOpener {
 public:
  virtual ~UrlOpener() = default;
  // False when no handler could take it.
  virtual bool open(const QUrl& url) = 0;
};

// QDesktopServices::openUrl: the desktop's own handler, started without a shell.
class DesktopUrlOpener : public UrlOpener {
 public:
  bool open(const QUrl& url) override;
};

}  // namespace serialix
