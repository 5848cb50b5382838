// serialix-list: writes the addresses of URL patterns (curl's globbing and more), one a line.
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <system_error>
#include <variant>
#include <vector>

#include "cli/encoding.h"
#include "cli/options.h"
#include "cli/output.h"
#include "core/pattern.h"
#include "serialix_version.h"

namespace serialix {
namespace {

constexpr int kUsageStatus = 2;
constexpr int kFailureStatus = 1;

constexpr char kHelp[] = R"(Usage: serialix-list [OPTION]... PATTERN...
Write every address each PATTERN expands to, one per line, to standard output.
A PATTERN of - reads patterns from standard input, one per line.

Patterns use curl's URL globbing:
  [1-100]  [001-120]  [0-100:10]  numbers, padded like the first, with a step
  [a-z]  [A-Z:2]                  letters, with a step
  {one,two,three}                 a list
  \[ \] \{ \}                     literal brackets and braces
The rightmost range or list varies fastest. Beyond curl:
  [10-1]  [10-1:3]  [z-a]         descending ranges
  [7-9@a] ... [6-8@a]             ranges of one @NAME step together
  [#2]                            the current text of the 2nd range or list

Options:
  -o FILE            write to FILE (a regular file is replaced only when complete)
      --count        print the number of addresses, however large
      --first        print only the first address
      --last         print only the last address
      --encoding=cp932  write code page 932 (Shift-JIS) instead of UTF-8
      --crlf         end lines with CR LF instead of LF
  -h, --help         show this help and exit
      --version      show the version and exit
  --                 end of options: every later argument is a pattern

Exit status: 0 when every address was written (or the reader closed the pipe),
1 on a file or encoding failure, 2 on a malformed pattern or command line.
)";

void Complain(const std::string& message) {
  std::fprintf(stderr, "serialix-list: %s\n", message.c_str());
}

// The command-line patterns in order, "-" replaced by the non-empty lines of standard input.
bool CollectPatterns(const std::vector<std::string>& given, std::vector<std::string>& patterns) {
  bool stdinRead = false;
  for (const auto& text : given) {
    if (text != "-") {
      patterns.push_back(text);
      continue;
    }
    if (stdinRead) continue;
    stdinRead = true;
    std::string line;
    while (std::getline(std::cin, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty()) patterns.push_back(line);
    }
    if (std::cin.bad()) {
      Complain("cannot read standard input");
      return false;
    }
  }
  return true;
}

int Run(const ListOptions& options) {
  std::vector<std::string> texts;
  if (!CollectPatterns(options.patterns, texts)) return kFailureStatus;
  std::vector<Pattern> patterns;
  for (const auto& text : texts) {
    auto read = ReadPattern(text);
    if (const auto* error = std::get_if<PatternError>(&read)) {
      Complain(error->message + " at column " + std::to_string(error->column) + " of pattern \"" + text + "\"");
      return kUsageStatus;
    }
    patterns.push_back(std::move(std::get<Pattern>(read)));
  }

  const LineEnd lineEnd = options.crlf ? LineEnd::CrLf : LineEnd::Lf;
  const char* const newline = options.crlf ? "\r\n" : "\n";
  auto unencodable = [&texts](std::size_t pattern, const UnencodableCharacter& bad) {
    Complain("line " + bad.line.toString() + " of pattern \"" + texts[pattern] + "\" holds \"" + bad.character +
             "\", which code page 932 cannot hold; nothing written");
    return kFailureStatus;
  };
  // Every pattern as the odometer that writes it, encoded once when asked to.
  std::vector<Odometer> odometers;
  for (std::size_t i = 0; i < patterns.size(); ++i) {
    Odometer odometer = PatternOdometer(patterns[i]);
    if (options.cp932 && options.mode == ListMode::Addresses) {
      if (const auto bad = FindUnencodable(odometer)) return unencodable(i, *bad);
      odometer = EncodedCp932(std::move(odometer));
    }
    odometers.push_back(std::move(odometer));
  }
  // --first and --last check and encode the one address they write.
  std::string single;
  if (options.mode == ListMode::First || options.mode == ListMode::Last) {
    const bool last = options.mode == ListMode::Last;
    const std::size_t pattern = last ? patterns.size() - 1 : 0;
    single = last ? LastAddress(patterns[pattern]) : FirstAddress(patterns[pattern]);
    if (options.cp932) {
      if (auto bad = FirstUnencodable(single)) {
        return unencodable(pattern, {*bad, last ? PatternCount(patterns[pattern]) : BigUnsigned(1)});
      }
      single = EncodedCp932(single);
    }
  }

  const std::string target = options.outputFile ? *options.outputFile : "standard output";
  try {
    auto output = options.outputFile ? FileOutput(*options.outputFile) : StandardOutput();
    switch (options.mode) {
      case ListMode::Count: {
        BigUnsigned total = 0;
        for (const auto& pattern : patterns) total += PatternCount(pattern);
        output->write(total.toString() + "\n");
        break;
      }
      case ListMode::First:
      case ListMode::Last: output->write(single + newline); break;
      case ListMode::Addresses:
        for (const auto& odometer : odometers) {
          odometer.writeLines(
              std::vector<std::uint64_t>(odometer.wheels.size(), 0), std::nullopt,
              [&output](std::string_view chunk) {
                output->write(chunk);
                return true;
              },
              lineEnd);
        }
        break;
    }
    output->commit();
  } catch (const OutputClosed&) {
    return 0;  // the reader has what it wanted (`| head`)
  } catch (const std::system_error& e) {
    Complain(options.outputFile ? e.what() : "cannot write standard output: " + std::string(e.what()));
    return kFailureStatus;
  } catch (const std::bad_alloc&) {
    Complain("cannot write " + target + ": out of memory");
    return kFailureStatus;
  }
  return 0;
}

}  // namespace
}  // namespace serialix

int main(int argc, char** argv) {
  using namespace serialix;
  // A closed pipe shows as EPIPE from write(2), which ends the program quietly.
  std::signal(SIGPIPE, SIG_IGN);
  const auto parsed = ParseListOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (const auto* error = std::get_if<UsageError>(&parsed)) {
    Complain(error->message);
    std::fprintf(stderr, "Try 'serialix-list --help' for more information.\n");
    return kUsageStatus;
  }
  const auto& options = std::get<ListOptions>(parsed);
  if (options.help) {
    std::fputs(kHelp, stdout);
    return std::fflush(stdout) == 0 ? 0 : kFailureStatus;
  }
  if (options.version) {
    std::printf("serialix-list (%s) %s\n", kProgramName, kVersionText);
    return std::fflush(stdout) == 0 ? 0 : kFailureStatus;
  }
  try {
    return Run(options);
  } catch (const std::exception& e) {  // no code page 932 converter, out of memory
    Complain(e.what());
    return kFailureStatus;
  }
}
