#include "platform/widgets/virtual_list_box_accessible.h"

#include <QAccessibleActionInterface>
#include <QTimer>
#include <QWindow>

#include "platform/widgets/virtual_list_box.h"

namespace serialix {
namespace {

// One shown row. Not backed by a QObject: the row is a position, the text is computed on demand.
class RowAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
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
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }

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

// The child index of the current row, or -1 when there is none or it is not shown.
int CurrentChildIndex(const VirtualListBox& list) {
  const auto current = list.currentRow();
  if (!current || *current < list.topRow()) return -1;
  const std::uint64_t offset = *current - list.topRow();
  return offset < static_cast<std::uint64_t>(ShownRowCount(list)) ? static_cast<int>(offset) : -1;
}

std::function<void(QAccessibleEvent*)>& EventSink() {
  static std::function<void(QAccessibleEvent*)> sink;
  return sink;
}

// Building an event creates the row's interface: only worth it when someone listens.
bool Listening() {
  return QAccessible::isActive() || EventSink();
}

void Send(QAccessibleEvent* event) {
  if (EventSink()) {
    EventSink()(event);
  } else {
    QAccessible::updateAccessibility(event);
  }
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
  for (const auto& [row, id] : rows_) QAccessible::deleteAccessibleInterface(id);
}

VirtualListBox* VirtualListBoxAccessible::list() const {
  return static_cast<VirtualListBox*>(widget());
}

QString VirtualListBoxAccessible::text(QAccessible::Text t) const {
  const QString own = QAccessibleWidget::text(t);
  if (t != QAccessible::Description) return own;
  // The row count does not fit an int child count; say it in words.
  const QString rows = QStringLiteral("全 %1 件").arg(list()->count());
  return own.isEmpty() ? rows : own + QStringLiteral("（") + rows + QStringLiteral("）");
}

int VirtualListBoxAccessible::childCount() const {
  return ShownRowCount(*list());
}

QAccessibleInterface* VirtualListBoxAccessible::child(int index) const {
  forgetHiddenRows();
  if (index < 0 || index >= childCount()) return nullptr;
  const std::uint64_t row = list()->topRow() + static_cast<std::uint64_t>(index);
  if (const auto found = rows_.find(row); found != rows_.end()) return QAccessible::accessibleInterface(found->second);
  auto* item = new RowAccessible(list(), row);
  rows_.emplace(row, QAccessible::registerAccessibleInterface(item));
  return item;
}

int VirtualListBoxAccessible::indexOfChild(const QAccessibleInterface* child) const {
  const auto* item = dynamic_cast<const RowAccessible*>(child);
  if (!item || item->list() != list() || item->row() < list()->topRow()) return -1;
  const std::uint64_t offset = item->row() - list()->topRow();
  return offset < static_cast<std::uint64_t>(childCount()) ? static_cast<int>(offset) : -1;
}

QAccessibleInterface* VirtualListBoxAccessible::childAt(int x, int y) const {
  const QPoint inViewport = list()->viewport()->mapFromGlobal(QPoint(x, y));
  const auto row = list()->rowAt(inViewport);
  if (!row || !list()->viewport()->rect().contains(inViewport)) return nullptr;
  return child(static_cast<int>(*row - list()->topRow()));
}

QAccessibleInterface* VirtualListBoxAccessible::focusChild() const {
  if (!list()->hasFocus()) return nullptr;
  const int index = CurrentChildIndex(*list());
  return index >= 0 ? child(index) : nullptr;
}

void VirtualListBoxAccessible::forgetHiddenRows() const {
  const std::uint64_t first = list()->topRow();
  const std::uint64_t end = first + static_cast<std::uint64_t>(ShownRowCount(*list()));
  for (auto it = rows_.begin(); it != rows_.end();) {
    if (it->first >= first && it->first < end) {
      ++it;
      continue;
    }
    QAccessible::deleteAccessibleInterface(it->second);
    it = rows_.erase(it);
  }
}

void InstallVirtualListBoxAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(ListBoxFactory);
    return true;
  }();
  (void)installed;
}

void SetListBoxEventSinkForTesting(std::function<void(QAccessibleEvent*)> sink) {
  EventSink() = std::move(sink);
}

void AnnounceCurrentRow(VirtualListBox* list) {
  if (!Listening()) return;
  const int index = CurrentChildIndex(*list);
  if (index < 0 || !list->isVisible()) return;
  if (list->hasFocus()) {
    QAccessibleEvent focus(list, QAccessible::Focus);
    focus.setChild(index);
    Send(&focus);
  }
  QAccessibleEvent selection(list, QAccessible::Selection);
  selection.setChild(index);
  Send(&selection);
}

void AnnounceFocusedRow(VirtualListBox* list) {
  if (!Listening()) return;
  QTimer::singleShot(0, list, [list] {
    const int index = CurrentChildIndex(*list);
    if (index < 0 || !list->hasFocus() || !Listening()) return;
    QAccessibleEvent focus(list, QAccessible::Focus);
    focus.setChild(index);
    Send(&focus);
  });
}

void AnnounceShownRows(VirtualListBox* list) {
  if (!Listening() || !list->isVisible()) return;
  QAccessibleEvent reorder(list, QAccessible::ObjectReorder);
  Send(&reorder);
}

}  // namespace serialix
