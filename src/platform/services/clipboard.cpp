#include "platform/services/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace serialix {

void QtClipboard::clear() {
  QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
}

void QtClipboard::setText(const QString& text) {
  QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

QString QtClipboard::text() const {
  return QGuiApplication::clipboard()->text(QClipboard::Clipboard);
}

}  // namespace serialix
