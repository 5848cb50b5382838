#include "platform/look/fitted_caption.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>
#include <cmath>
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
    // Nothing is measured before the buttons are polished: until then neither the style (a style
    // sheet set later) nor the fonts they will show are known, and each size measured loads a font.
    for (QAbstractButton* button : buttons_) {
      button->installEventFilter(this);
      if (button->testAttribute(Qt::WA_WState_Polished)) polished_ = true;
    }
    if (polished_) fit();
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Polish: polished_ = true; [[fallthrough]];
      case QEvent::StyleChange:
      case QEvent::FontChange:
        if (polished_) fit();
        break;
      default: break;
    }
    return false;
  }

 private:
  void fit() {
    if (fitting_) return;  // our own setFont raises FontChange again
    fitting_ = true;
    // From the font each button inherits from its parent, down to the size at which all fit. The
    // parent's font is taken whole: a button that a style sheet reaches would otherwise resolve
    // the face against the desktop's font instead of its parent's.
    qreal size = 0;
    for (QAbstractButton* button : buttons_) {
      button->setFont(inherited(button));
      if (size == 0 || button->font().pointSizeF() < size) size = button->font().pointSizeF();
    }
    const qreal natural = size;
    // Polish, style and font events come once per button and again for each change, and the
    // window's groups hold the same captions: the fitting size is measured once per style,
    // fonts, captions and widths (each size measured loads a font of its own).
    static QHash<QString, qreal> measured;
    const QStyle* style = buttons_.front()->style();
    QString inputs =
        QString::number(reinterpret_cast<quintptr>(style)) + QLatin1String(style->metaObject()->className());
    for (const QAbstractButton* button : buttons_)
      inputs += button->font().key() + QLatin1Char('|') + button->text() + QString::number(button->width());
    auto known = measured.constFind(inputs);
    if (known == measured.constEnd()) known = measured.insert(inputs, fittingSize(natural));
    size = *known;
    for (QAbstractButton* button : buttons_) {
      if (size == natural && button->font().pointSizeF() == natural) continue;
      QFont smaller = inherited(button);
      smaller.setPointSizeF(size);
      button->setFont(smaller);
    }
    fitting_ = false;
  }

  static QFont inherited(const QAbstractButton* button) {
    return button->parentWidget() ? button->parentWidget()->font() : QApplication::font(button);
  }

  // The largest size from `natural` down, in half points, at which every caption fits.
  qreal fittingSize(qreal size) const {
    const auto allFit = [this](qreal pointSize) {
      return std::all_of(buttons_.begin(), buttons_.end(), [pointSize](const QAbstractButton* button) {
        QFont font = button->font();
        font.setPointSizeF(pointSize);
        return CaptionFitsIn(button, font);
      });
    };
    while (!allFit(size) && size > 6) size -= 0.5;
    return size;
  }

  std::vector<QAbstractButton*> buttons_;
  bool fitting_ = false;
  bool polished_ = false;  // one of the buttons has been polished: its style and fonts are final
};

}  // namespace

void KeepCaptionsWhole(std::vector<QAbstractButton*> buttons) {
  if (!buttons.empty()) new CaptionFitter(std::move(buttons));
}

bool CaptionFits(const QAbstractButton* button) {
  return CaptionFitsIn(button, button->font());
}

void FitLabelFont(QLabel* label, const QString& caption, const QFont& designed) {
  // The largest size, in half points down from the designed one (6 at least), at which the
  // caption fits. Each size measured loads a font of its own, so the size is predicted from the
  // designed one (an advance scales with the whole pixel size its font is drawn at) and measured
  // there and one step up, rather than at every step from the designed size down.
  QFont font = designed;
  const qreal room = label->width() - 1;
  const qreal largest = designed.pointSizeF();
  const qreal advance = QFontMetricsF(font).horizontalAdvance(caption);
  if (advance > room && largest > 6) {
    const qreal largestPixels = QFontInfo(font).pixelSize();
    const auto pixels = [&](qreal size) { return std::max<qreal>(1, std::round(size * largestPixels / largest)); };
    const auto fits = [&](qreal size) {
      font.setPointSizeF(size);
      return QFontMetricsF(font).horizontalAdvance(caption) <= room;
    };
    qreal size = largest - 0.5;
    while (size > 6 && advance * pixels(size) / largestPixels > room) size -= 0.5;
    size = std::max<qreal>(size, 6);
    while (size > 6 && !fits(size)) size -= 0.5;
    // Hinting can make a size narrower than its share: the next larger one may fit after all.
    while (size + 0.5 < largest && fits(size + 0.5)) size += 0.5;
    font.setPointSizeF(size);
  }
  label->setFont(font);
}

}  // namespace serialix
