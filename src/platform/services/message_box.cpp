#include "platform/services/message_box.h"

#include <QMessageBox>

#include "serialix_version.h"

namespace serialix {

QString MessageBox::caption() {
  return QString::fromLatin1(kProgramName);
}

MessageBox::Answer QtMessageBox::ask(QWidget* parent, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(QMessageBox::Yes);
  // Closing the box without a button counts as No: nothing is overwritten by accident.
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void QtMessageBox::show(QWidget* parent, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace serialix
