#include "platform/services/message_box.h"

#include <QMessageBox>

namespace serialix {

QString WithLongLinesElided(const QString& text, qsizetype longest) {
  const QString ellipsis = QStringLiteral("…");
  const qsizetype head = (longest - ellipsis.size()) * 2 / 3;
  const qsizetype tail = longest - ellipsis.size() - head;
  QStringList lines = text.split(u'\n');
  for (QString& line : lines) {
    if (line.size() <= longest) continue;
    // Never cut between the halves of a surrogate pair.
    qsizetype headEnd = head;
    if (line[headEnd - 1].isHighSurrogate()) --headEnd;
    qsizetype tailStart = line.size() - tail;
    if (line[tailStart].isLowSurrogate()) ++tailStart;
    line = line.left(headEnd) + ellipsis + line.mid(tailStart);
  }
  return lines.join(u'\n');
}

MessageBox::Answer QtMessageBox::askYesNo(QWidget* parent, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, caption, WithLongLinesElided(text), QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(QMessageBox::Yes);
  // Closing the box without a button counts as No: nothing is overwritten by accident.
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void QtMessageBox::inform(QWidget* parent, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, caption, WithLongLinesElided(text), QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace serialix
