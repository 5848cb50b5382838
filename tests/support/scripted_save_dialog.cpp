#include "support/scripted_save_dialog.h"

namespace serialix {

std::optional<QString> ScriptedSaveDialog::ask(QWidget*, const SaveDialogRequest& request) {
  requests.push_back(request);
  if (nextAnswers.empty()) return std::nullopt;
  const bool chosen = nextAnswers.front().has_value();
  const QString path = chosen ? *nextAnswers.front() : QString();
  nextAnswers.pop_front();
  if (!chosen) return std::nullopt;
  return path;
}

}  // namespace serialix
