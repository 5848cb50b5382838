#include "platform/widgets/virtual_list_box_accessible.h"

#include <QAccessibleActionInterface>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <climits>
#include <vector>

#include "platform/widgets/accessibility_events.h"
#include "platform/widgets/virtual_list_box.h"

namespace serialix {
namespace {

// The highest row an accessible index can name.
constexpr std::uint64_t kLastIndexableRow = INT_MAX - 1;

// One row. Not backed by a QObject: the row is a position, the text is computed on demand.
class RowAccessible : public QAccessibleInterface,
                      public QAccessibleActionInterface,
                      public QAccessibleTableCellInterface {
 public:
  RowAccessible(VirtualListBox* list, std::uint64_t row) : list_(list), row_(row) {}

  bool isValid() const override { return list_ && row_ < list_->count(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return list_ ? list_->window()->windowHandle() : nullptr; }

  QAccessibleInterface* parent() const override {
    return list_ ? QAccessible::queryAccessibleInterface(list_.data()) : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  QString text(QAccessible::Text t) const override {
    if (!isValid() || t != QAccessible::Name) return {};
    return list_->text(row_);
  }
  void setText(QAccessible::Text, const QString&) override {}
  QAccessible::Role role() const override { return QAccessible::ListItem; }

  QRect rect() const override {
    if (!shown()) return {};
    const int height = list_->rowHeight();
    const QPoint topLeft(0, static_cast<int>(row_ - list_->topRow()) * height);
    return {list_->viewport()->mapToGlobal(topLeft), QSize(list_->viewport()->width(), height)};
  }

  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) {
      s.invalid = true;
      return s;
    }
    s.selectable = true;
    s.focusable = true;
    const bool current = list_->currentRow() == row_;
    s.selected = current;
    s.focused = current && list_->hasFocus();
    s.disabled = !list_->isEnabled();
    if (!shown()) s.invisible = s.offscreen = true;
    return s;
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
    if (type == QAccessible::TableCellInterface) return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
  }

  // Its place in the one-column table the list also is.
  bool isSelected() const override { return isValid() && list_->currentRow() == row_; }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return 0; }
  int rowIndex() const override { return static_cast<int>(row_); }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

  // Assistive technology selects a row the way a click does.
  QStringList actionNames() const override { return {setFocusAction()}; }
  void doAction(const QString& name) override {
    if (name != setFocusAction() || !isValid()) return;
    list_->setFocus();
    list_->setCurrentRow(row_);
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

  std::uint64_t row() const { return row_; }
  const VirtualListBox* list() const { return list_; }

 private:
  bool shown() const {
    return isValid() && row_ >= list_->topRow() &&
           row_ - list_->topRow() < static_cast<std::uint64_t>(ShownRowCount(*list_));
  }

  QPointer<VirtualListBox> list_;
  std::uint64_t row_;
};

QAccessibleInterface* ListBoxFactory(const QString& key, QObject* object) {
  if (key != QLatin1String(VirtualListBox::staticMetaObject.className())) return nullptr;
  auto* list = qobject_cast<VirtualListBox*>(object);
  return list ? new VirtualListBoxAccessible(list) : nullptr;
}

// The child index of the current row, or -1 when there is none or it is past what an index names.
int CurrentChildIndex(const VirtualListBox& list) {
  const auto current = list.currentRow();
  return current && *current <= kLastIndexableRow ? static_cast<int>(*current) : -1;
}

}  // namespace

int ShownRowCount(const VirtualListBox& list) {
  if (list.topRow() >= list.count()) return 0;
  const int height = list.rowHeight();
  const int fits = (list.viewport()->height() + height - 1) / height;
  const std::uint64_t left = list.count() - list.topRow();
  return left < static_cast<std::uint64_t>(fits) ? static_cast<int>(left) : fits;
}

VirtualListBoxAccessible::VirtualListBoxAccessible(VirtualListBox* list) : QAccessibleWidget(list, QAccessible::List) {}

VirtualListBoxAccessible::~VirtualListBoxAccessible() {
  for (const auto& [row, cached] : rows_) QAccessible::deleteAccessibleInterface(cached.id);
}

VirtualListBox* VirtualListBoxAccessible::list() const {
  return static_cast<VirtualListBox*>(widget());
}

QString VirtualListBoxAccessible::text(QAccessible::Text t) const {
  const QString own = QAccessibleWidget::text(t);
  if (t != QAccessible::Description) return own;
  // Past INT_MAX rows the child count stops short; the words give the exact total.
  const QString rows = QStringLiteral("全 %1 件").arg(list()->count());
  return own.isEmpty() ? rows : own + QStringLiteral("（") + rows + QStringLiteral("）");
}

int VirtualListBoxAccessible::childCount() const {
  return static_cast<int>(std::min(list()->count(), kLastIndexableRow + 1));
}

QAccessibleInterface* VirtualListBoxAccessible::child(int index) const {
  if (index < 0 || index >= childCount()) return nullptr;
  const auto row = static_cast<std::uint64_t>(index);
  if (const auto found = rows_.find(row); found != rows_.end()) {
    found->second.lastAsked = ++asked_;
    return QAccessible::accessibleInterface(found->second.id);
  }
  trimRows();
  auto* item = new RowAccessible(list(), row);
  rows_.emplace(row, CachedRow{QAccessible::registerAccessibleInterface(item), ++asked_});
  return item;
}

int VirtualListBoxAccessible::indexOfChild(const QAccessibleInterface* child) const {
  const auto* item = dynamic_cast<const RowAccessible*>(child);
  if (!item || item->list() != list() || item->row() >= static_cast<std::uint64_t>(childCount())) return -1;
  return static_cast<int>(item->row());
}

QAccessibleInterface* VirtualListBoxAccessible::childAt(int x, int y) const {
  const QPoint inViewport = list()->viewport()->mapFromGlobal(QPoint(x, y));
  const auto row = list()->rowAt(inViewport);
  if (!row || *row > kLastIndexableRow || !list()->viewport()->rect().contains(inViewport)) return nullptr;
  return child(static_cast<int>(*row));
}

QAccessibleInterface* VirtualListBoxAccessible::focusChild() const {
  if (!list()->hasFocus()) return nullptr;
  const int index = CurrentChildIndex(*list());
  return index >= 0 ? child(index) : nullptr;
}

void* VirtualListBoxAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface* VirtualListBoxAccessible::cellAt(int row, int column) const {
  return column == 0 ? child(row) : nullptr;
}

QList<QAccessibleInterface*> VirtualListBoxAccessible::selectedCells() const {
  QList<QAccessibleInterface*> cells;
  for (int row : selectedRows()) cells.append(child(row));
  return cells;
}

QList<int> VirtualListBoxAccessible::selectedRows() const {
  const int index = CurrentChildIndex(*list());
  return index >= 0 ? QList<int>{index} : QList<int>{};
}

bool VirtualListBoxAccessible::isRowSelected(int row) const {
  return row >= 0 && CurrentChildIndex(*list()) == row;
}

bool VirtualListBoxAccessible::selectRow(int row) {
  if (row < 0 || row >= childCount()) return false;
  list()->setCurrentRow(static_cast<std::uint64_t>(row));
  return true;
}

void VirtualListBoxAccessible::trimRows() const {
  const std::uint64_t count = list()->count();
  for (auto it = rows_.begin(); it != rows_.end();) {
    if (it->first < count) {
      ++it;
      continue;
    }
    QAccessible::deleteAccessibleInterface(it->second.id);
    it = rows_.erase(it);
  }
  if (rows_.size() < kRowCacheLimit) return;
  // Keep the newer half, and every row on screen or selected, which a reader may still hold.
  const std::uint64_t first = list()->topRow();
  const std::uint64_t end = first + static_cast<std::uint64_t>(ShownRowCount(*list()));
  std::vector<std::pair<std::uint64_t, std::uint64_t>> hidden;  // (last asked, row)
  for (const auto& [row, cached] : rows_) {
    if ((row < first || row >= end) && list()->currentRow() != row) hidden.emplace_back(cached.lastAsked, row);
  }
  std::sort(hidden.begin(), hidden.end());
  const std::size_t drop = std::min(hidden.size(), rows_.size() - kRowCacheLimit / 2);
  for (std::size_t i = 0; i < drop; ++i) {
    const auto found = rows_.find(hidden[i].second);
    QAccessible::deleteAccessibleInterface(found->second.id);
    rows_.erase(found);
  }
}

void InstallVirtualListBoxAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(ListBoxFactory);
    return true;
  }();
  (void)installed;
}

void AnnounceCurrentRow(VirtualListBox* list) {
  if (!AccessibilityListening()) return;
  const int index = CurrentChildIndex(*list);
  if (index < 0 || !list->isVisible()) return;
  if (list->hasFocus()) {
    QAccessibleEvent focus(list, QAccessible::Focus);
    focus.setChild(index);
    SendAccessibilityEvent(&focus);
  }
  QAccessibleEvent selection(list, QAccessible::Selection);
  selection.setChild(index);
  SendAccessibilityEvent(&selection);
}

void AnnounceFocusedRow(VirtualListBox* list) {
  if (!AccessibilityListening()) return;
  QTimer::singleShot(0, list, [list] {
    const int index = CurrentChildIndex(*list);
    if (index < 0 || !list->hasFocus() || !AccessibilityListening()) return;
    QAccessibleEvent focus(list, QAccessible::Focus);
    focus.setChild(index);
    SendAccessibilityEvent(&focus);
  });
}

void AnnounceShownRows(VirtualListBox* list) {
  if (!AccessibilityListening() || !list->isVisible()) return;
  QAccessibleEvent reorder(list, QAccessible::ObjectReorder);
  SendAccessibilityEvent(&reorder);
}

}  // namespace serialix
