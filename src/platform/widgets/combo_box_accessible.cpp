#include "platform/widgets/combo_box_accessible.h"

#include <QAccessible>
#include <QComboBox>
#include <QPointer>

#include "platform/widgets/wrapped_accessible.h"

namespace serialix {
namespace {

// The current entry as read-only text: the one place a screen reader finds the picked letter of
// a combo that cannot be edited.
class NamedComboBoxAccessible : public WrappedAccessible, public QAccessibleTextInterface {
 public:
  NamedComboBoxAccessible(QComboBox* combo, QAccessibleInterface* own) : WrappedAccessible(own), combo_(combo) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return current();
    if (t == QAccessible::Name && !combo_->accessibleName().isEmpty()) return combo_->accessibleName();
    return WrappedAccessible::text(t);
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return WrappedAccessible::interface_cast(type);
  }

  // QAccessibleTextInterface over current(): no selection, the cursor at the start.
  void selection(int, int* start, int* end) const override { *start = *end = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QString text(int start, int end) const override { return current().mid(start, end - start); }
  int characterCount() const override { return static_cast<int>(current().size()); }
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* start, int* end) const override {
    *start = 0;
    *end = characterCount();
    return {};
  }

 private:
  QString current() const { return combo_ ? combo_->currentText() : QString(); }

  QPointer<QComboBox> combo_;
};

QAccessibleInterface* NamedComboBoxFactory(const QString& className, QObject* object) {
  if (className != QLatin1String("QComboBox") || QtOwnAccessibleAsked(object)) return nullptr;
  auto* combo = qobject_cast<QComboBox*>(object);
  QAccessibleInterface* own = combo ? QtOwnAccessible(combo) : nullptr;
  return own ? new NamedComboBoxAccessible(combo, own) : nullptr;
}

}  // namespace

void NameComboBoxesByAccessibleName() {
  // Factories installed later are asked first, before Qt's own widgets.
  QAccessible::removeFactory(NamedComboBoxFactory);
  QAccessible::installFactory(NamedComboBoxFactory);
}

}  // namespace serialix
