#include "platform/widgets/virtual_list_box.h"

#include "platform/widgets/virtual_list_box_accessible.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWheelEvent>
#include <algorithm>
#include <climits>

#include "core/wide_integer.h"

namespace serialix {
namespace {

using Wide = UInt128;  // holds a 31-bit by 63-bit product

constexpr std::uint64_t kBarMax = INT_MAX;
constexpr int kTextIndent = 2;

// Beyond the bar's int range rows map proportionally: the ends map to the ends exactly.
std::uint64_t TopForValue(int value, std::uint64_t maxTop) {
  if (maxTop <= kBarMax) return static_cast<std::uint64_t>(std::max(value, 0));
  const Wide scaled = static_cast<Wide>(std::max(value, 0)) * maxTop;
  return static_cast<std::uint64_t>(scaled / kBarMax);
}

int ValueForTop(std::uint64_t top, std::uint64_t maxTop) {
  if (maxTop <= kBarMax) return static_cast<int>(top);
  const Wide scaled = static_cast<Wide>(top) * kBarMax;
  return static_cast<int>(scaled / maxTop);
}

}  // namespace

VirtualListBox::VirtualListBox(QWidget* parent) : QAbstractScrollArea(parent) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setFocusPolicy(Qt::StrongFocus);
  // The window's palette decides the colours: white and black under a light one, the dark
  // theme's own under a dark one.
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  InstallVirtualListBoxAccessibility();
  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &VirtualListBox::onScrollAction);
  verticalScrollBar()->installEventFilter(this);
  updateScrollBar();
}

bool VirtualListBox::appendRun(serialix::AddressRun run) {
  if (!rows_.append(std::move(run))) return false;
  updateScrollBar();
  viewport()->update();
  return true;
}

void VirtualListBox::clear() {
  const bool hadSelection = current_.has_value();
  rows_.clear();
  current_.reset();
  top_ = 0;
  updateScrollBar();
  viewport()->update();
  if (hadSelection) emit currentRowChanged();
}

QString VirtualListBox::text(std::uint64_t row) const {
  if (row >= count()) return {};
  return QString::fromStdString(rows_.at(row));
}

void VirtualListBox::setCurrentRow(std::uint64_t row) {
  if (row >= count()) return;
  selectRow(row);
}

int VirtualListBox::rowHeight() const {
  return std::max(1, fontMetrics().height());
}

int VirtualListBox::visibleRowCount() const {
  return std::max(1, viewport()->height() / rowHeight());
}

std::optional<std::uint64_t> VirtualListBox::rowAt(const QPoint& viewportPoint) const {
  if (viewportPoint.y() < 0 || viewportPoint.y() >= viewport()->height()) return std::nullopt;
  const std::uint64_t row = top_ + static_cast<std::uint64_t>(viewportPoint.y() / rowHeight());
  if (row >= count()) return std::nullopt;
  return row;
}

QSize VirtualListBox::sizeHint() const {
  return {200, 10 * rowHeight() + 2 * frameWidth()};
}

std::uint64_t VirtualListBox::maxTop() const {
  const auto visible = static_cast<std::uint64_t>(visibleRowCount());
  return count() > visible ? count() - visible : 0;
}

void VirtualListBox::setTop(std::uint64_t top) {
  top = std::min(top, maxTop());
  if (top == top_) return;
  top_ = top;
  viewport()->update();
  AnnounceShownRows(this);
}

void VirtualListBox::scrollToRow(std::uint64_t row) {
  const auto visible = static_cast<std::uint64_t>(visibleRowCount());
  if (row < top_) {
    setTop(row);
  } else if (row - top_ >= visible) {
    setTop(row - visible + 1);
  }
  syncScrollBar();
}

void VirtualListBox::selectRow(std::uint64_t row) {
  const bool changed = current_ != row;
  current_ = row;
  scrollToRow(row);
  viewport()->update();
  if (!changed) return;
  emit currentRowChanged();
  AnnounceCurrentRow(this);
}

void VirtualListBox::updateScrollBar() {
  const std::uint64_t top = maxTop();
  const int visible = visibleRowCount();
  QScrollBar* bar = verticalScrollBar();
  syncingBar_ = true;
  if (top <= kBarMax) {
    bar->setRange(0, static_cast<int>(top));
    bar->setPageStep(visible);
  } else {
    bar->setRange(0, static_cast<int>(kBarMax));
    const Wide page = static_cast<Wide>(visible) * kBarMax / top;
    bar->setPageStep(std::max(1, static_cast<int>(page)));
  }
  bar->setSingleStep(1);
  syncingBar_ = false;
  setTop(top_);
  syncScrollBar();
  AnnounceShownRows(this);
}

void VirtualListBox::syncScrollBar() {
  syncingBar_ = true;
  verticalScrollBar()->setValue(ValueForTop(top_, maxTop()));
  syncingBar_ = false;
}

void VirtualListBox::scrollContentsBy(int, int) {
  if (syncingBar_) return;
  QScrollBar* bar = verticalScrollBar();
  if (pendingBarValue_ && *pendingBarValue_ == bar->value()) {
    pendingBarValue_.reset();  // a step already moved top_ by whole rows
    return;
  }
  pendingBarValue_.reset();
  setTop(TopForValue(bar->value(), maxTop()));
}

// In the proportional range one bar unit spans many rows: arrow and page steps of the bar move
// by rows instead, and the bar only follows.
void VirtualListBox::onScrollAction(int action) {
  const std::uint64_t limit = maxTop();
  if (limit <= kBarMax) return;
  const auto page = static_cast<std::uint64_t>(std::max(1, visibleRowCount() - 1));
  std::uint64_t top = top_;
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: top = std::min(limit, top + 1); break;
    case QAbstractSlider::SliderSingleStepSub: top = top > 0 ? top - 1 : 0; break;
    case QAbstractSlider::SliderPageStepAdd: top = limit - top > page ? top + page : limit; break;
    case QAbstractSlider::SliderPageStepSub: top = top > page ? top - page : 0; break;
    default: return;
  }
  setTop(top);
  QScrollBar* bar = verticalScrollBar();
  const int value = ValueForTop(top_, limit);
  bar->setSliderPosition(value);
  if (value != bar->value()) pendingBarValue_ = value;
}

// The wheel over the bar scrolls by rows too; the bar's own handling would jump by bar units.
bool VirtualListBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == verticalScrollBar() && event->type() == QEvent::Wheel) {
    wheelEvent(static_cast<QWheelEvent*>(event));
    return true;
  }
  return QAbstractScrollArea::eventFilter(watched, event);
}

void VirtualListBox::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateScrollBar();
}

void VirtualListBox::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) updateScrollBar();
}

void VirtualListBox::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  AnnounceFocusedRow(this);
}

void VirtualListBox::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.setFont(font());
  const int height = rowHeight();
  const int width = viewport()->width();
  const QPalette& pal = viewport()->palette();
  const int rowsToPaint = viewport()->height() / height + 1;
  for (int i = 0; i < rowsToPaint; ++i) {
    const std::uint64_t row = top_ + static_cast<std::uint64_t>(i);
    if (row >= count()) break;
    const QRect rect(0, i * height, width, height);
    const bool selected = current_ == row;
    if (selected) painter.fillRect(rect, palette().color(QPalette::Highlight));
    painter.setPen(selected ? palette().color(QPalette::HighlightedText) : pal.color(QPalette::Text));
    painter.drawText(rect.adjusted(kTextIndent, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     text(row));
    if (selected && hasFocus()) {
      QStyleOptionFocusRect option;
      option.initFrom(this);
      option.rect = rect;
      option.backgroundColor = palette().color(QPalette::Highlight);
      style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
  }
}

void VirtualListBox::keyPressEvent(QKeyEvent* event) {
  const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
  if (event->key() == Qt::Key_Menu || shiftF10) {
    // The menu also lists commands for the whole list, so it opens on an empty list too.
    if (event->key() == Qt::Key_Menu && menuKeyHandled_) {
      menuKeyHandled_ = false;
    } else {
      requestMenuFromKeyboard();
    }
    event->accept();
    return;
  }
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && current_) {
    emit activated(*current_);
    event->accept();
    return;
  }
  if (count() == 0) {
    QAbstractScrollArea::keyPressEvent(event);
    return;
  }
  const std::uint64_t last = count() - 1;
  const auto page = static_cast<std::uint64_t>(std::max(1, visibleRowCount() - 1));
  const bool none = !current_;
  const std::uint64_t row = current_.value_or(0);
  std::uint64_t target = 0;
  switch (event->key()) {
    case Qt::Key_Up: target = none || row == 0 ? 0 : row - 1; break;
    case Qt::Key_Down: target = none ? 0 : std::min(last, row + 1); break;
    case Qt::Key_PageUp: target = row > page ? row - page : 0; break;
    case Qt::Key_PageDown: target = none ? std::min(last, page) : (last - row > page ? row + page : last); break;
    case Qt::Key_Home: target = 0; break;
    case Qt::Key_End: target = last; break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
  }
  selectRow(target);
  event->accept();
}

void VirtualListBox::mousePressEvent(QMouseEvent* event) {
  // The right button selects the row it is over, so the menu's single-row commands act on it.
  if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) {
    QAbstractScrollArea::mousePressEvent(event);
    return;
  }
  dragStart_.reset();
  dragAsked_ = false;
  if (const auto row = rowAt(event->position().toPoint())) {
    selectRow(*row);
    if (event->button() == Qt::LeftButton) dragStart_ = event->position().toPoint();
  }
  event->accept();
}

// Moving with the left button held drags the row it was pressed on out of the list; pressed
// below the rows, it moves the selection, scrolling a row at a time past the edges.
void VirtualListBox::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton) || count() == 0) {
    QAbstractScrollArea::mouseMoveEvent(event);
    return;
  }
  if (dragStart_) {
    event->accept();
    const int moved = (event->position().toPoint() - *dragStart_).manhattanLength();
    if (!dragAsked_ && moved >= QApplication::startDragDistance()) {
      dragAsked_ = true;
      emit dragRequested(event->modifiers().testFlag(Qt::ControlModifier));
    }
    return;
  }
  const int y = event->position().toPoint().y();
  if (y < 0) {
    if (top_ > 0) selectRow(top_ - 1);
  } else if (y >= viewport()->height()) {
    const std::uint64_t below = top_ + static_cast<std::uint64_t>(visibleRowCount());
    if (below < count()) selectRow(below);
  } else if (const auto row = rowAt(event->position().toPoint())) {
    selectRow(*row);
  }
  event->accept();
}

void VirtualListBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    dragStart_.reset();
    dragAsked_ = false;
    event->accept();
    return;
  }
  QAbstractScrollArea::mouseReleaseEvent(event);
}

void VirtualListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QAbstractScrollArea::mouseDoubleClickEvent(event);
    return;
  }
  if (const auto row = rowAt(event->position().toPoint())) {
    selectRow(*row);
    emit activated(*row);
  }
  event->accept();
}

void VirtualListBox::contextMenuEvent(QContextMenuEvent* event) {
  if (event->reason() == QContextMenuEvent::Mouse) {
    emit contextMenuRequested(event->globalPos());
  } else {
    // A keyboard request carries the pointer's position; the menu belongs at the selection.
    menuKeyHandled_ = true;
    requestMenuFromKeyboard();
  }
  event->accept();
}

void VirtualListBox::requestMenuFromKeyboard() {
  QPoint at(kTextIndent, 0);
  if (current_) {
    scrollToRow(*current_);
    const auto shown = static_cast<int>(*current_ - top_);
    at.setY(shown * rowHeight() + rowHeight() / 2);
  }
  emit contextMenuRequested(viewport()->mapToGlobal(at));
}

void VirtualListBox::wheelEvent(QWheelEvent* event) {
  wheelRemainder_ += event->angleDelta().y();
  const int notches = wheelRemainder_ / 120;
  wheelRemainder_ -= notches * 120;
  if (notches != 0) {
    const auto rows = static_cast<std::uint64_t>(std::abs(notches)) *
                      static_cast<std::uint64_t>(std::max(1, QApplication::wheelScrollLines()));
    if (notches > 0) {
      setTop(top_ > rows ? top_ - rows : 0);
    } else {
      setTop(maxTop() - top_ > rows ? top_ + rows : maxTop());
    }
    syncScrollBar();
  }
  event->accept();
}

}  // namespace serialix
