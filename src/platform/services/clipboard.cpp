#include "platform/services/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/services/on_demand_mime_data.h"
#include "platform/services/x11_incremental_paste.h"

namespace serialix {

void QtClipboard::clear() {
  QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
}

void QtClipboard::setText(const QString& text) {
  QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

void QtClipboard::setMimeData(std::unique_ptr<QMimeData> data) {
  // Lists made while another program pastes them; installed with the first, so a window that
  // never copies one starts without it.
  X11IncrementalPaste::installOnce();
  QGuiApplication::clipboard()->setMimeData(data.release(), QClipboard::Clipboard);
}

QString QtClipboard::text() const {
  return QGuiApplication::clipboard()->text(QClipboard::Clipboard);
}

std::string QtClipboard::textBytes() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
  if (data == nullptr) return {};
  for (const char* format : {"text/plain;charset=utf-8", "text/plain"}) {
    if (data->hasFormat(QLatin1String(format))) return data->data(QLatin1String(format)).toStdString();
  }
  return data->text().toStdString();
}

std::optional<std::uint64_t> QtClipboard::knownTextBytes() const {
  const auto* data =
      dynamic_cast<const OnDemandMimeData*>(QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard));
  if (data == nullptr) return std::nullopt;
  const std::optional<OnDemandMimeData::Pieces> pieces = data->pieces(QStringLiteral("text/plain;charset=utf-8"));
  if (!pieces || !pieces->exact) return std::nullopt;
  return pieces->size;
}

}  // namespace serialix
