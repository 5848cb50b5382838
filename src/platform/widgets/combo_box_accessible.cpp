#include "platform/widgets/combo_box_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>

namespace serialix {
namespace {

class NamedComboBoxAccessible : public QAccessibleWidget {
 public:
  explicit NamedComboBoxAccessible(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

  QString text(QAccessible::Text t) const override {
    const auto* combo = static_cast<QComboBox*>(widget());
    if (t == QAccessible::Value) return combo->currentText();
    if (t == QAccessible::Name && combo->accessibleName().isEmpty()) return combo->currentText();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* NamedComboBoxFactory(const QString& className, QObject* object) {
  if (className != QLatin1String("QComboBox")) return nullptr;
  auto* combo = qobject_cast<QComboBox*>(object);
  return combo ? new NamedComboBoxAccessible(combo) : nullptr;
}

}  // namespace

void NameComboBoxesByAccessibleName() {
  // Factories installed later are asked first, before Qt's own widgets.
  QAccessible::removeFactory(NamedComboBoxFactory);
  QAccessible::installFactory(NamedComboBoxFactory);
}

}  // namespace serialix
