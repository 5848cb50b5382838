#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace serialix {

// Whether RememberInHistory would append text: it is not empty and no entry equals it exactly.
bool IsNewHistoryEntry(const std::vector<std::string>& history, std::string_view text);

// Appends text to the history when it is not empty and no entry equals it exactly.
// Returns whether it was appended.
bool RememberInHistory(std::vector<std::string>& history, std::string_view text);

}  // namespace serialix
