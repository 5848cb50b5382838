#pragma once

#include <QAccessibleInterface>

namespace serialix {

// Qt's own accessible interface for a widget with a few answers changed. Qt's interfaces for its
// standard widgets are not public, so this one holds Qt's and passes on every question it does
// not answer itself: lists, actions and events stay exactly as Qt makes them.
class WrappedAccessible : public QAccessibleInterface {
 public:
  // own: what QtOwnAccessible returned for the same object. Qt's cache keeps it; it outlives this.
  explicit WrappedAccessible(QAccessibleInterface* own) : own_(own) {}

  bool isValid() const override { return own_->isValid(); }
  QObject* object() const override { return own_->object(); }
  QWindow* window() const override { return own_->window(); }
  QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation match) const override {
    return own_->relations(match);
  }
  QAccessibleInterface* focusChild() const override { return own_->focusChild(); }
  QAccessibleInterface* childAt(int x, int y) const override { return own_->childAt(x, y); }
  QAccessibleInterface* parent() const override { return own_->parent(); }
  QAccessibleInterface* child(int index) const override { return own_->child(index); }
  int childCount() const override { return own_->childCount(); }
  int indexOfChild(const QAccessibleInterface* child) const override { return own_->indexOfChild(child); }
  QString text(QAccessible::Text t) const override { return own_->text(t); }
  void setText(QAccessible::Text t, const QString& text) override { own_->setText(t, text); }
  QRect rect() const override { return own_->rect(); }
  QAccessible::Role role() const override { return own_->role(); }
  QAccessible::State state() const override { return own_->state(); }
  QColor foregroundColor() const override { return own_->foregroundColor(); }
  QColor backgroundColor() const override { return own_->backgroundColor(); }
  void* interface_cast(QAccessible::InterfaceType type) override { return own_->interface_cast(type); }

 protected:
  QAccessibleInterface* own() const { return own_; }

 private:
  QAccessibleInterface* own_;
};

// The interface Qt itself gives object, skipping every factory that asks QtOwnAccessibleAsked.
// Called from such a factory for the object it is asked about; null when Qt has none.
QAccessibleInterface* QtOwnAccessible(QObject* object);

// True while QtOwnAccessible asks for object: a wrapping factory then answers nothing.
bool QtOwnAccessibleAsked(const QObject* object);

// Drops an interface Qt made for object before a wrapping factory existed for it, unless it is
// already of type T, so the next query goes through the factories again.
template <typename T>
void ForgetUnwrappedAccessible(QObject* object) {
  QAccessibleInterface* cached = QAccessible::queryAccessibleInterface(object);
  if (cached && !dynamic_cast<T*>(cached)) QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cached));
}

}  // namespace serialix
