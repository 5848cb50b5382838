#include "platform/look/pictures.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

// The logo as a picture: drawing it needs a font of its own, loaded at start for nothing else.
#include "platform/look/logo.xpm"

namespace serialix {
namespace {

const QColor kRed(0xe0, 0x10, 0x10);
const QColor kShadow(0x80, 0x80, 0x80);

QFont SerifFont(int pixelSize) {
  QFont font;
  font.setFamilies({QStringLiteral("DejaVu Serif"), QStringLiteral("Noto Serif CJK JP"), QStringLiteral("serif")});
  font.setStyleHint(QFont::Serif);
  font.setPixelSize(pixelSize);
  font.setBold(true);
  return font;
}

// The word as an outline centred in the rectangle, so shadow and letters share one shape.
QPainterPath CentredWord(const QString& word, const QFont& font, const QRectF& box) {
  QPainterPath path;
  path.addText(0, 0, font, word);
  const QRectF bounds = path.boundingRect();
  path.translate(box.center() - bounds.center());
  return path;
}

QImage Letters(int width, int height, const QString& word, int pixelSize, qreal shadowOffset) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::black);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  const QPainterPath word_path =
      CentredWord(word, SerifFont(pixelSize), QRectF(0, 0, width - shadowOffset, height - shadowOffset));
  painter.setBrush(kShadow);
  painter.drawPath(word_path.translated(shadowOffset, shadowOffset));
  painter.setBrush(kRed);
  painter.drawPath(word_path);
  return image;
}

QImage IconImage(int size) {
  // Small sizes get a heavier shadow offset so it stays visible.
  const qreal offset = size <= 16 ? 1.0 : size / 16.0;
  return Letters(size, size, QStringLiteral("u"), size * 9 / 8, offset);
}

}  // namespace

QPixmap LogoPicture() {
  return QPixmap(kLogoXpm);
}

QImage DrawnLogoPicture() {
  return Letters(77, 41, QStringLiteral("url"), 34, 2.0);
}

QIcon ApplicationIcon() {
  QIcon icon;
  for (int size : {16, 32, 48}) icon.addPixmap(QPixmap::fromImage(IconImage(size)));
  return icon;
}

QPixmap IconPicture() {
  return QPixmap::fromImage(IconImage(32));
}

}  // namespace serialix
