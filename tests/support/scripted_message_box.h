#pragma once

#include <QString>
#include <deque>
#include <vector>

#include "platform/services/message_box.h"

namespace serialix {

// Gives the queued answers in order (Yes when the queue is empty) and records every box.
class ScriptedMessageBox : public MessageBox {
 public:
  struct Shown {
    QString caption, text;
    bool question = false;
  };
  std::deque<Answer> nextAnswers;
  std::vector<Shown> shown;

 protected:
  Answer ask(QWidget* parent, const QString& caption, const QString& text) override;
  void show(QWidget* parent, const QString& caption, const QString& text) override;
};

}  // namespace serialix
