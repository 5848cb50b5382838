#include "core/history.h"

#include <algorithm>

namespace serialix {

bool IsNewHistoryEntry(const std::vector<std::string>& history, std::string_view text) {
  return !text.empty() && std::find(history.begin(), history.end(), text) == history.end();
}

bool RememberInHistory(std::vector<std::string>& history, std::string_view text) {
  if (!IsNewHistoryEntry(history, text)) {
    return false;
  }
  history.emplace_back(text);
  return true;
}

}  // namespace serialix
