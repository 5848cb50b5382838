#include "cli/options.h"

namespace serialix {

std::variant<ListOptions, UsageError> ParseListOptions(const std::vector<std::string>& args) {
  ListOptions options;
  bool modeSet = false;
  auto setMode = [&](ListMode mode) {
    if (modeSet && options.mode != mode) return false;
    options.mode = mode;
    modeSet = true;
    return true;
  };
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
      options.patterns.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "-h" || arg == "--help") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--count" || arg == "--first" || arg == "--last") {
      const ListMode mode = arg == "--count" ? ListMode::Count : arg == "--first" ? ListMode::First : ListMode::Last;
      if (!setMode(mode)) return UsageError{"only one of --count, --first and --last may be given"};
    } else if (arg == "--crlf") {
      options.crlf = true;
    } else if (arg.rfind("--encoding=", 0) == 0) {
      const std::string name = arg.substr(11);
      if (name == "cp932" || name == "CP932") {
        options.cp932 = true;
      } else if (name == "utf-8" || name == "UTF-8" || name == "utf8") {
        options.cp932 = false;
      } else {
        return UsageError{"unknown encoding '" + name + "' (cp932 or utf-8)"};
      }
    } else if (arg == "-o" || arg == "--output") {
      if (i + 1 == args.size()) return UsageError{"option '" + arg + "' needs a file name"};
      options.outputFile = args[++i];
    } else if (arg.rfind("--output=", 0) == 0) {
      options.outputFile = arg.substr(9);
    } else if (arg.rfind("-o", 0) == 0) {
      options.outputFile = arg.substr(2);
    } else {
      return UsageError{"unknown option '" + arg + "'"};
    }
  }
  if (options.patterns.empty() && !options.help && !options.version) return UsageError{"no pattern given"};
  return options;
}

}  // namespace serialix
