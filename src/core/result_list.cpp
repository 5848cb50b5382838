#include "core/result_list.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace serialix {

namespace {
constexpr std::uint64_t kMaxTotal = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
}  // namespace

bool ResultList::canAppend(std::uint64_t count) const {
  return count <= kMaxTotal - total_;
}

bool ResultList::append(AddressRun run) {
  const std::uint64_t count = run.size();
  if (!canAppend(count)) {
    return false;
  }
  if (count == 0) {
    return true;  // an empty run adds no entry and would only slow the search
  }
  starts_.push_back(total_);
  runs_.push_back(std::move(run));
  total_ += count;
  return true;
}

void ResultList::clear() {
  runs_.clear();
  starts_.clear();
  total_ = 0;
}

std::string ResultList::at(std::uint64_t position) const {
  if (position >= total_) {
    return {};
  }
  const auto it = std::upper_bound(starts_.begin(), starts_.end(), position) - 1;
  const auto index = static_cast<std::size_t>(it - starts_.begin());
  return runs_[index].at(position - *it);
}

bool ResultList::writeLines(std::uint64_t first, std::uint64_t count, const ChunkSink& sink, LineEnd lineEnd) const {
  if (first >= total_ || count == 0) {
    return true;
  }
  count = std::min(count, total_ - first);
  auto index = static_cast<std::size_t>(std::upper_bound(starts_.begin(), starts_.end(), first) - starts_.begin() - 1);
  std::uint64_t offset = first - starts_[index];
  while (count > 0) {
    const AddressRun& run = runs_[index];
    const std::uint64_t take = std::min(count, run.size() - offset);
    if (!run.writeLines(offset, take, sink, lineEnd)) {
      return false;
    }
    count -= take;
    offset = 0;
    ++index;
  }
  return true;
}

char* ResultList::writeAllTo(char* out, LineEnd lineEnd) const {
  for (const AddressRun& run : runs_) out = run.writeLinesTo(0, run.size(), out, lineEnd);
  return out;
}

std::uint64_t ResultList::textBytes(LineEnd lineEnd) const {
  std::uint64_t total = 0;
  for (const AddressRun& run : runs_) {
    const std::uint64_t bytes = run.textBytes(lineEnd);
    if (bytes > std::numeric_limits<std::uint64_t>::max() - total) {
      return std::numeric_limits<std::uint64_t>::max();
    }
    total += bytes;
  }
  return total;
}

}  // namespace serialix
