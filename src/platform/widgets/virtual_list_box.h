#pragma once

#include <QAbstractScrollArea>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <optional>

#include "core/address_run.h"
#include "core/result_list.h"

namespace serialix {

// The result list List1: a single-selection list box over a ResultList that may hold up to 2^63
// rows. Only the visible rows are painted and nothing is kept per row; the vertical scroll bar
// maps 64-bit row positions onto its int range.
class VirtualListBox : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit VirtualListBox(QWidget* parent = nullptr);

  // O(1); false, with nothing changed, when the total would overflow.
  bool appendRun(serialix::AddressRun run);
  void clear();
  std::uint64_t count() const { return rows_.size(); }
  QString text(std::uint64_t row) const;
  const serialix::ResultList& rows() const { return rows_; }

  std::optional<std::uint64_t> currentRow() const { return current_; }
  // Selects the row and scrolls it into view; a row past the end is ignored.
  void setCurrentRow(std::uint64_t row);

  // The first row shown, the rows that fit entirely, and the height of one row, in pixels.
  std::uint64_t topRow() const { return top_; }
  int visibleRowCount() const;
  int rowHeight() const;
  // The row under a point of the viewport, if any.
  std::optional<std::uint64_t> rowAt(const QPoint& viewportPoint) const;

  QSize sizeHint() const override;

 signals:
  void currentRowChanged();
  // The right mouse button, the Menu key or Shift+F10 asks for a context menu at globalPos: the
  // pointer for the mouse, the selected row (scrolled into view) for the keyboard.
  void contextMenuRequested(const QPoint& globalPos);
  // Enter or Return on the selected row, or a double-click on a row.
  void activated(std::uint64_t row);
  // The left button pressed on a row (which it selected) moved past the desktop's drag distance:
  // the row, or the list, is to be dragged. ctrlHeld tells whether Ctrl was down as it moved.
  void dragRequested(bool ctrlHeld);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void changeEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::uint64_t maxTop() const;
  void setTop(std::uint64_t top);
  void scrollToRow(std::uint64_t row);
  void selectRow(std::uint64_t row);
  void updateScrollBar();
  void syncScrollBar();
  void onScrollAction(int action);
  void requestMenuFromKeyboard();

  serialix::ResultList rows_;
  std::optional<std::uint64_t> current_;
  std::uint64_t top_ = 0;
  int wheelRemainder_ = 0;              // eighths of a degree not yet turned into rows
  bool syncingBar_ = false;             // the bar follows top_, not the other way round
  std::optional<int> pendingBarValue_;  // bar value of a step that already moved top_
  bool menuKeyHandled_ = false;         // X11 sends the Menu key as a context event, then the key
  std::optional<QPoint> dragStart_;     // where the left button went down on a row, until released
  bool dragAsked_ = false;              // this press has asked for its drag
};

}  // namespace serialix
