#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace serialix {

enum class ListMode { Addresses, Count, First, Last };

struct ListOptions {
  std::vector<std::string> patterns;  // "-" stands for the lines of standard input
  std::optional<std::string> outputFile;
  ListMode mode = ListMode::Addresses;
  bool cp932 = false;
  bool crlf = false;
  bool help = false;
  bool version = false;
};

// A command line that cannot be followed; the message goes to standard error.
struct UsageError {
  std::string message;
};

std::variant<ListOptions, UsageError> ParseListOptions(const std::vector<std::string>& args);

}  // namespace serialix
