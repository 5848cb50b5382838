#pragma once

#include <QObject>
#include <QString>
#include <stdexcept>

namespace serialix::testing {

// The control below root with this object name ("cmbG(0)", "CheckK"), found as tests of a real
// user interface find it. A missing name throws, which fails the test that asked.
template <typename T = QWidget>
T* FindControl(const QObject* root, const QString& name) {
  T* found = root->findChild<T*>(name);
  if (!found) throw std::runtime_error("no control named " + name.toStdString());
  return found;
}

}  // namespace serialix::testing
