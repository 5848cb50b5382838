#pragma once

#include <QLabel>

namespace serialix {

// A one-line label that keeps its whole text (for text(), the tooltip and assistive tools) but
// paints only what fits, cut at the end with an ellipsis.
class ElidedLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ElidedLabel(QWidget* parent = nullptr);

  // The text as painted at the current width and font.
  QString shownText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace serialix
