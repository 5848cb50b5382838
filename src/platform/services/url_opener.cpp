#include "platform/services/url_opener.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>
#include <QDesktopServices>
#include <QStandardPaths>
#include <cerrno>
#include <thread>

namespace serialix {
namespace {

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool MustBeEscaped(unsigned char c) {
  if (c <= 0x20 || c >= 0x7F) return true;
  return QByteArrayView("\"<>\\^`{|}").contains(static_cast<char>(c));
}

// The byte at i, where a "%" is kept only when it starts an escape.
bool MustBeEscapedAt(QByteArrayView utf8, qsizetype i) {
  const auto c = static_cast<unsigned char>(utf8[i]);
  if (c != '%') return MustBeEscaped(c);
  return !(i + 2 < utf8.size() && IsHexDigit(utf8[i + 1]) && IsHexDigit(utf8[i + 2]));
}

QByteArray EscapedRest(QByteArrayView utf8) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  QByteArray out;
  out.reserve(utf8.size());
  for (qsizetype i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (!MustBeEscapedAt(utf8, i)) {
      out += static_cast<char>(c);
      continue;
    }
    out += '%';
    out += kHex[c >> 4];
    out += kHex[c & 0x0F];
  }
  return out;
}

bool NeedsNoEscape(QByteArrayView utf8) {
  for (qsizetype i = 0; i < utf8.size(); ++i) {
    if (MustBeEscapedAt(utf8, i)) return false;
  }
  return true;
}

// The longest single argument Linux passes to a program (MAX_ARG_STRLEN, 32 pages).
qsizetype LongestArgument() {
  return 32 * static_cast<qsizetype>(sysconf(_SC_PAGESIZE));
}

}  // namespace

QUrl BrowserUrl(const QString& shown) {
  const QByteArray utf8 = shown.toUtf8();
  // Scheme and authority end at the first "/", "?" or "#" after "://".
  const qsizetype authority = utf8.indexOf("://");
  qsizetype restStart = utf8.size();
  if (authority >= 0) {
    for (qsizetype i = authority + 3; i < utf8.size(); ++i) {
      if (utf8[i] == '/' || utf8[i] == '?' || utf8[i] == '#') {
        restStart = i;
        break;
      }
    }
  }
  const QString head = QString::fromUtf8(utf8.left(restStart));
  return QUrl(head + QString::fromLatin1(EscapedRest(utf8.mid(restStart))));
}

bool StandsInAddressAsIs(QByteArrayView utf8) {
  return !utf8.contains('%') && NeedsNoEscape(utf8);
}

QByteArray UriListLine(QByteArrayView shownUtf8) {
  if (NeedsNoEscape(shownUtf8)) return shownUtf8.toByteArray();
  const QUrl url = BrowserUrl(QString::fromUtf8(shownUtf8));
  if (url.isValid()) return url.toEncoded();
  const qsizetype scheme = shownUtf8.indexOf("://");
  const qsizetype restStart = scheme < 0 ? 0 : scheme + 3;
  return shownUtf8.first(restStart).toByteArray() + EscapedRest(shownUtf8.sliced(restStart));
}

std::error_code DesktopUrlOpener::open(const QUrl& url) {
  const QByteArray address = url.toEncoded();
  const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (xdgOpen.isEmpty()) {
    // Qt reports only success or failure; an argument no program can take would read as "no
    // browser", so that one is named before.
    if (address.size() >= LongestArgument()) return std::make_error_code(std::errc::argument_list_too_long);
    if (QDesktopServices::openUrl(url)) return {};
    return std::make_error_code(std::errc::no_such_file_or_directory);
  }
  const QByteArray program = xdgOpen.toLocal8Bit();
  char* argv[] = {const_cast<char*>(program.constData()), const_cast<char*>(address.constData()), nullptr};
  pid_t pid = 0;
  // posix_spawn reports a failed exec (E2BIG, ENOEXEC, EACCES) as its result.
  if (const int error = posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ); error != 0) {
    return {error, std::generic_category()};
  }
  // xdg-open hands the address on and ends; reaping it off the window's thread keeps no zombie.
  std::thread([pid] {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return {};
}

}  // namespace serialix
