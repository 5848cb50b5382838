#include "platform/widgets/caption_toggle_accessible.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QPointer>

#include "platform/widgets/accessibility_events.h"
#include "platform/widgets/wrapped_accessible.h"

namespace serialix {
namespace {

constexpr char kCheckedCaption[] = "serialixCheckedCaption";

QString Caption(const QWidget& toggle) {
  if (const auto* button = qobject_cast<const QAbstractButton*>(&toggle)) return button->text();
  if (const auto* label = qobject_cast<const QLabel*>(&toggle)) return label->text();
  return {};
}

void SetCaption(QWidget& toggle, const QString& caption) {
  if (auto* button = qobject_cast<QAbstractButton*>(&toggle)) button->setText(caption);
  if (auto* label = qobject_cast<QLabel*>(&toggle)) label->setText(caption);
}

bool CheckedByCaption(const QWidget& toggle) {
  return Caption(toggle) == toggle.property(kCheckedCaption).toString();
}

class CaptionToggleAccessible : public WrappedAccessible {
 public:
  CaptionToggleAccessible(QWidget* toggle, QAccessibleInterface* own) : WrappedAccessible(own), toggle_(toggle) {}

  QAccessible::State state() const override {
    QAccessible::State s = WrappedAccessible::state();
    if (!toggle_) return s;
    s.checkable = true;
    s.checked = CheckedByCaption(*toggle_);
    return s;
  }

 private:
  QPointer<QWidget> toggle_;
};

QAccessibleInterface* CaptionToggleFactory(const QString&, QObject* object) {
  auto* toggle = qobject_cast<QWidget*>(object);
  if (!toggle || !toggle->property(kCheckedCaption).isValid() || QtOwnAccessibleAsked(object)) return nullptr;
  QAccessibleInterface* own = QtOwnAccessible(toggle);
  return own ? new CaptionToggleAccessible(toggle, own) : nullptr;
}

}  // namespace

void ReportCheckedWhileCaption(QWidget* toggle, const QString& checkedCaption) {
  static const bool installed = [] {
    QAccessible::installFactory(CaptionToggleFactory);
    return true;
  }();
  (void)installed;
  toggle->setProperty(kCheckedCaption, checkedCaption);
  ForgetUnwrappedAccessible<CaptionToggleAccessible>(toggle);
}

void SetToggleCaption(QWidget* toggle, const QString& caption) {
  const bool wasChecked = CheckedByCaption(*toggle);
  SetCaption(*toggle, caption);
  if (CheckedByCaption(*toggle) == wasChecked || !AccessibilityListening()) return;
  QAccessible::State changed;
  changed.checked = true;
  QAccessibleStateChangeEvent event(toggle, changed);
  SendAccessibilityEvent(&event);
}

}  // namespace serialix
