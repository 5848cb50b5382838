#pragma once

#include <QString>

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

}  // namespace serialix
