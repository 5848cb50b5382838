#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace serialix {

// The reader of standard output went away (a closed pipe): the program ends quietly.
struct OutputClosed {};

// Where the addresses go. write() and commit() throw std::system_error naming the reason;
// destroying an output that was not committed discards what it replaced.
class Output {
 public:
  virtual ~Output() = default;
  virtual void write(std::string_view bytes) = 0;
  virtual void commit() = 0;
};

// Standard output, written with write(2); a closed pipe throws OutputClosed.
std::unique_ptr<Output> StandardOutput();

// The file of -o, through ReplacedFile: a regular file (or a link to one) is replaced atomically
// when committed and keeps its mode; a named pipe or a character device is written into;
// anything else is refused. Failures name the path.
std::unique_ptr<Output> FileOutput(const std::filesystem::path& path);

}  // namespace serialix
