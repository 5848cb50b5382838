#include "platform/widgets/wrapped_accessible.h"

namespace serialix {
namespace {

const QObject* g_asked = nullptr;

}  // namespace

QAccessibleInterface* QtOwnAccessible(QObject* object) {
  const QObject* outer = g_asked;
  g_asked = object;
  QAccessibleInterface* own = QAccessible::queryAccessibleInterface(object);
  g_asked = outer;
  return own;
}

bool QtOwnAccessibleAsked(const QObject* object) {
  return object && object == g_asked;
}

}  // namespace serialix
