#pragma once

#include <QString>
#include <deque>
#include <optional>
#include <vector>

#include "platform/services/save_dialog.h"

namespace serialix {

// Returns the queued answers in order (cancel when the queue is empty), records requests.
class ScriptedSaveDialog : public SaveDialog {
 public:
  std::deque<std::optional<QString>> nextAnswers;
  std::vector<SaveDialogRequest> requests;
  std::optional<QString> ask(QWidget* parent, const SaveDialogRequest& request) override;
};

}  // namespace serialix
