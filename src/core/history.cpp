#include "core/history.h"

#include <algorithm>

namespace serialix {

bool RememberInHistory(std::vector<std::string>& history, std::string_view text) {
  if (text.empty() || std::find(history.begin(), history.end(), text) != history.end()) {
    return false;
  }
  history.emplace_back(text);
  return true;
}

}  // namespace serialix
