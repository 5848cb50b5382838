#include "platform/services/large_text.h"

#include <QStringDecoder>

#include "platform/files/huge_pages.h"

namespace serialix {

QString LargeUtf8ToQString(std::string_view utf8) {
  const auto size = static_cast<qsizetype>(utf8.size());
  // Every UTF-8 byte gives at most one UTF-16 unit, so the text always fits.
  QString text(size, Qt::Uninitialized);
  AdviseHugePages(text.constData(), static_cast<std::size_t>(size) * sizeof(QChar));
  // Stateless: a sequence cut short at the end is replaced, not held back for more input.
  // An initial byte-order mark goes, as QString::fromUtf8 drops it.
  QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
  const QChar* end = decoder.appendToBuffer(text.data(), QByteArrayView(utf8.data(), size));
  text.truncate(end - text.constData());
  return text;
}

}  // namespace serialix
