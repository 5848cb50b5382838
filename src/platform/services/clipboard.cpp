#include "platform/services/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace serialix {

void QtClipboard::clear() {
  QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
}

void QtClipboard::setText(const QString& text) {
  QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

void QtClipboard::setMimeData(std::unique_ptr<QMimeData> data) {
  QGuiApplication::clipboard()->setMimeData(data.release(), QClipboard::Clipboard);
}

QString QtClipboard::text() const {
  return QGuiApplication::clipboard()->text(QClipboard::Clipboard);
}

}  // namespace serialix
