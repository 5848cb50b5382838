#pragma once

#include <QString>

class QWidget;

namespace serialix {

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

// Modal QMessageBox.
class QtMessageBox : public MessageBox {
 protected:
  Answer ask(QWidget* parent, const QString& caption, const QString& text) override;
  void show(QWidget* parent, const QString& caption, const QString& text) override;
};

}  // namespace serialix
