#pragma once

#include <QByteArrayView>
#include <QString>
#include <QUrl>
#include <system_error>

namespace serialix {

// The address a browser gets for a row as shown. Escapes already written (%XX) stay as they
// are; only what cannot stand in an address is percent-encoded as UTF-8: blanks and controls,
// characters outside ASCII, " < > \ ^ ` { | }, and a "%" not followed by two hexadecimal digits.
// The scheme and host are left to QUrl, so an international host becomes its ASCII form.
// (QUrl on its own escapes every "%" again as soon as one of them is not an escape.)
QUrl BrowserUrl(const QString& shown);

// Whether a text can stand in an address as it is, wherever it is put: no byte BrowserUrl would
// encode and no "%" at all (a "%" may start an escape with what follows it).
bool StandsInAddressAsIs(QByteArrayView utf8);

// An address as one line of a text/uri-list, without the line end: the row itself when every
// byte may stand in a URI (escapes already written kept), otherwise BrowserUrl's form of it;
// when that is no URL at all (a blank in the host), every byte BrowserUrl would encode after
// the scheme is encoded, so that each line stays a URI.
QByteArray UriListLine(QByteArrayView shownUtf8);

// Hands an address to the desktop's handler for its scheme (usually the browser), behind an
// interface so tests see what would open.
class UrlOpener {
 public:
  virtual ~UrlOpener() = default;
  // No error when a handler took the address; std::errc::no_such_file_or_directory when there
  // is no handler; otherwise the system's reason the handler could not start, such as
  // std::errc::argument_list_too_long for an address longer than one program argument may be.
  virtual std::error_code open(const QUrl& url) = 0;
};

// xdg-open, started without a shell and not waited for; where there is no xdg-open,
// QDesktopServices::openUrl and its own search for a browser.
class DesktopUrlOpener : public UrlOpener {
 public:
  std::error_code open(const QUrl& url) override;
};

}  // namespace serialix
