#include "core/list_text_reader.h"

#include <algorithm>
#include <utility>

namespace serialix {

ListTextReader::ListTextReader(std::shared_ptr<const ResultList> rows, LineEnd lineEnd)
    : rows_(std::move(rows)), lineEnd_(lineEnd) {}

bool ListTextReader::read(std::size_t bytes, std::string& out) {
  const auto& runs = rows_->runs();
  if (run_ >= runs.size()) return false;
  const AddressRun& run = runs[run_];
  if (inRun_ == 0) {
    // Lines of one run differ only in the digits of unfilled counters, so its average sizes a piece.
    lineBytes_ = std::max<std::uint64_t>(1, (run.textBytes(lineEnd_) + run.size() - 1) / run.size());
  }
  const std::uint64_t lines = std::min(run.size() - inRun_, std::max<std::uint64_t>(1, bytes / lineBytes_));
  run.writeLines(
      inRun_, lines,
      [&out](std::string_view chunk) {
        out.append(chunk);
        return true;
      },
      lineEnd_);
  inRun_ += lines;
  if (inRun_ == run.size()) ++run_, inRun_ = 0;
  return true;
}

}  // namespace serialix
