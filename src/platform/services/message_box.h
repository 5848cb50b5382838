#pragma once

#include <QString>
#include <deque>

class QWidget;

namespace serialix {

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

// Modal QMessageBox.
class QtMessageBox : public MessageBox {
 public:
  Answer askYesNo(QWidget* parent, const QString& caption, const QString& text) override;
  void inform(QWidget* parent, const QString& caption, const QString& text) override;
};

// Test seam: gives the queued answers in order (Yes when the queue is empty) and records every box.
class ScriptedMessageBox : public MessageBox {
 public:
  struct Shown {
    QString caption, text;
    bool question = false;
  };
  std::deque<Answer> nextAnswers;
  std::vector<Shown> shown;

  Answer askYesNo(QWidget* parent, const QString& caption, const QString& text) override;
  void inform(QWidget* parent, const QString& caption, const QString& text) override;
};

}  // namespace serialix
