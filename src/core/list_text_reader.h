#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "result_list.h"

namespace serialix {

// A result list's text read a piece at a time, for a reader that takes it in steps (another
// program pasting a list of millions of lines) and should never need the whole text at once.
class ListTextReader {
 public:
  ListTextReader(std::shared_ptr<const ResultList> rows, LineEnd lineEnd);

  // Appends the next whole lines to out, about `bytes` of them but at least one line; false (and
  // nothing appended) once every line was read.
  bool read(std::size_t bytes, std::string& out);

 private:
  std::shared_ptr<const ResultList> rows_;
  LineEnd lineEnd_;
  std::size_t run_ = 0;          // the run the next line comes from
  std::uint64_t inRun_ = 0;      // the next line's position within that run
  std::uint64_t lineBytes_ = 0;  // the run's average line length, rounded up
};

}  // namespace serialix
