#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace serialix {

// Appends text to the history when it is not empty and no entry equals it exactly.
// Returns whether it was appended.
bool RememberInHistory(std::vector<std::string>& history, std::string_view text);

}  // namespace serialix
