#include "support/scripted_message_box.h"

namespace serialix {

MessageBox::Answer ScriptedMessageBox::ask(QWidget*, const QString& caption, const QString& text) {
  shown.push_back({caption, text, true});
  if (nextAnswers.empty()) return Answer::Yes;
  Answer answer = nextAnswers.front();
  nextAnswers.pop_front();
  return answer;
}

void ScriptedMessageBox::show(QWidget*, const QString& caption, const QString& text) {
  shown.push_back({caption, text, false});
}

}  // namespace serialix
