#include "platform/widgets/caption_toggle_accessible.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QPointer>

#include "platform/widgets/accessibility_events.h"
#include "platform/widgets/wrapped_accessible.h"

namespace serialix {
namespace {

constexpr char kCheckedCaption[] = "serialixCheckedCaption";

bool CheckedByCaption(const QAbstractButton& button) {
  return button.text() == button.property(kCheckedCaption).toString();
}

class CaptionToggleAccessible : public WrappedAccessible {
 public:
  CaptionToggleAccessible(QAbstractButton* button, QAccessibleInterface* own)
      : WrappedAccessible(own), button_(button) {}

  QAccessible::State state() const override {
    QAccessible::State s = WrappedAccessible::state();
    if (!button_) return s;
    s.checkable = true;
    s.checked = CheckedByCaption(*button_);
    return s;
  }

 private:
  QPointer<QAbstractButton> button_;
};

QAccessibleInterface* CaptionToggleFactory(const QString&, QObject* object) {
  auto* button = qobject_cast<QAbstractButton*>(object);
  if (!button || !button->property(kCheckedCaption).isValid() || QtOwnAccessibleAsked(object)) return nullptr;
  QAccessibleInterface* own = QtOwnAccessible(button);
  return own ? new CaptionToggleAccessible(button, own) : nullptr;
}

}  // namespace

void ReportCheckedWhileCaption(QAbstractButton* button, const QString& checkedCaption) {
  static const bool installed = [] {
    QAccessible::installFactory(CaptionToggleFactory);
    return true;
  }();
  (void)installed;
  button->setProperty(kCheckedCaption, checkedCaption);
  ForgetUnwrappedAccessible<CaptionToggleAccessible>(button);
}

void SetToggleCaption(QAbstractButton* button, const QString& caption) {
  const bool wasChecked = CheckedByCaption(*button);
  button->setText(caption);
  if (CheckedByCaption(*button) == wasChecked || !AccessibilityListening()) return;
  QAccessible::State changed;
  changed.checked = true;
  QAccessibleStateChangeEvent event(button, changed);
  SendAccessibilityEvent(&event);
}

}  // namespace serialix
