#include "platform/look/fitted_caption.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>
#include <utility>

namespace serialix {
namespace {

bool CaptionFitsIn(const QAbstractButton* button, const QFont& font) {
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = button->text();
  const bool checkBox = qobject_cast<const QCheckBox*>(button) != nullptr;
  const QRect room = button->style()->subElementRect(
      checkBox ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &option, button);
  // The caption is drawn from where the style puts it and is cut only at the button's edge: what
  // counts is where its ink ends, not its advance.
  return QFontMetricsF(font).tightBoundingRect(button->text()).right() <= button->width() - room.left();
}

class CaptionFitter : public QObject {
 public:
  explicit CaptionFitter(std::vector<QAbstractButton*> buttons)
      : QObject(buttons.front()), buttons_(std::move(buttons)) {
    for (QAbstractButton* button : buttons_) button->installEventFilter(this);
    fit();
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Polish:
      case QEvent::StyleChange:
      case QEvent::FontChange: fit(); break;
      default: break;
    }
    return false;
  }

 private:
  void fit() {
    if (fitting_) return;  // our own setFont raises FontChange again
    fitting_ = true;
    // From the font each button would have without us, down to the size at which all fit.
    qreal size = 0;
    for (QAbstractButton* button : buttons_) {
      button->setFont(QFont());
      QFont font = button->font();
      if (size == 0 || font.pointSizeF() < size) size = font.pointSizeF();
    }
    const qreal natural = size;
    const auto allFit = [this](qreal pointSize) {
      return std::all_of(buttons_.begin(), buttons_.end(), [pointSize](const QAbstractButton* button) {
        QFont font = button->font();
        font.setPointSizeF(pointSize);
        return CaptionFitsIn(button, font);
      });
    };
    while (!allFit(size) && size > 6) size -= 0.5;
    for (QAbstractButton* button : buttons_) {
      if (size == natural && button->font().pointSizeF() == natural) continue;
      QFont only;  // only the size is set, so the face still follows the parent and the desktop
      only.setPointSizeF(size);
      button->setFont(only);
    }
    fitting_ = false;
  }

  std::vector<QAbstractButton*> buttons_;
  bool fitting_ = false;
};

}  // namespace

void KeepCaptionsWhole(std::vector<QAbstractButton*> buttons) {
  if (!buttons.empty()) new CaptionFitter(std::move(buttons));
}

bool CaptionFits(const QAbstractButton* button) {
  return CaptionFitsIn(button, button->font());
}

void FitLabelFont(QLabel* label, const QString& caption, const QFont& designed) {
  QFont font = designed;
  while (QFontMetricsF(font).horizontalAdvance(caption) > label->width() - 1 && font.pointSizeF() > 6) {
    font.setPointSizeF(font.pointSizeF() - 0.5);
  }
  label->setFont(font);
}

}  // namespace serialix
