#pragma once

#include <QString>

class QWidget;

namespace serialix {

// The text with every line longer than `longest` characters cut in the middle to that length
// ("…" in place of the cut), so that a message quoting a pasted text of any length stays
// narrower than the screen and is laid out at once. The quoted text itself stays whole where it
// came from (the field or the row), to copy from there.
QString WithLongLinesElided(const QString& text, qsizetype longest = 80);

// The program's message boxes, behind an interface so tests answer them without a person. Every
// box has the program's name as its caption; callers give only the text.
class MessageBox {
 public:
  enum class Answer { Yes, No, Ok };
  virtual ~MessageBox() = default;
  // The caption of every box: the program's name.
  static QString caption();
  // Yes/No buttons, no icon, Yes the default button.
  Answer askYesNo(QWidget* parent, const QString& text) { return ask(parent, caption(), text); }
  // An OK button only, no icon.
  void inform(QWidget* parent, const QString& text) { show(parent, caption(), text); }

 protected:
  virtual Answer ask(QWidget* parent, const QString& caption, const QString& text) = 0;
  virtual void show(QWidget* parent, const QString& caption, const QString& text) = 0;
};

// Modal QMessageBox, long lines elided.
class QtMessageBox : public MessageBox {
 protected:
  Answer ask(QWidget* parent, const QString& caption, const QString& text) override;
  void show(QWidget* parent, const QString& caption, const QString& text) override;
};

}  // namespace serialix
