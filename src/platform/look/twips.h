#pragma once

#include <QRect>
#include <QtMath>

namespace serialix {

// Designed positions and stored window positions are in twips: 15 twips make one logical pixel,
// rounded to the nearest pixel. One rule for every window of the program.
constexpr double kTwipsPerPixel = 15.0;

inline int TwipsToPixels(double twips) {
  return qRound(twips / kTwipsPerPixel);
}

inline double PixelsToTwips(int pixels) {
  return pixels * kTwipsPerPixel;
}

inline QRect TwipsRect(int left, int top, int width, int height) {
  return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

}  // namespace serialix
