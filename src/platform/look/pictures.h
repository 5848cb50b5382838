#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace serialix {

// The logo of the main window (Image1): "url" in red serif letters with a grey shadow on black, 77x41.
// It is read from logo.xpm, the picture DrawnLogoPicture() makes (scripts/render-logo writes it).
QPixmap LogoPicture();
QImage DrawnLogoPicture();

// The window icon, with 16, 32 and 48 pixel images drawn for each size.
QIcon ApplicationIcon();

// The 32x32 picture of the About dialog.
QPixmap IconPicture();

}  // namespace serialix
