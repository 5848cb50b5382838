#pragma once

#include <QString>

class QWidget;

namespace serialix {

// The text with every line longer than `longest` characters cut in the middle to that length
// ("…" in place of the cut), so that a message quoting a pasted text of any length stays
// narrower than the screen and is laid out at once. The quoted text itself stays whole where it
// came from (the field or the row), to copy from there.
QString WithLongLinesElided(const QString& text, qsizetype longest = 80);

// The program's message boxes, behind an interface so tests answer them without a person.
class MessageBox {
 public:
  enum class Answer { Yes, No, Ok };
  virtual ~MessageBox() = default;
  // Yes/No buttons, no icon, Yes the default button.
  virtual Answer askYesNo(QWidget* parent, const QString& caption, const QString& text) = 0;
  // An OK button only, no icon.
  virtual void inform(QWidget* parent, const QString& caption, const QString& text) = 0;
};

// Modal QMessageBox, long lines elided.
class QtMessageBox : public MessageBox {
 public:
  Answer askYesNo(QWidget* parent, const QString& caption, const QString& text) override;
  void inform(QWidget* parent, const QString& caption, const QString& text) override;
};

}  // namespace serialix
