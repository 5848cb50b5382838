#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "address_run.h"

namespace serialix {

// The result list as a sequence of runs with 64-bit positions: append is O(1) whatever the count.
class ResultList {
 public:
  // False (and nothing appended) when the total would no longer fit in 63 bits.
  bool append(AddressRun run);
  // Whether a run of that many entries would still fit (what append checks first).
  bool canAppend(std::uint64_t count) const;
  void clear();

  std::uint64_t size() const { return total_; }
  bool empty() const { return total_ == 0; }
  std::string at(std::uint64_t position) const;

  // Every entry in [first, first + count) followed by the line end, through the runs' sequential
  // writers.
  bool writeLines(std::uint64_t first, std::uint64_t count, const ChunkSink& sink,
                  LineEnd lineEnd = LineEnd::CrLf) const;
  bool writeAll(const ChunkSink& sink, LineEnd lineEnd = LineEnd::CrLf) const {
    return writeLines(0, total_, sink, lineEnd);
  }

  // writeAll's output made straight into `out`, which holds textBytes() plus kOdometerSlack
  // bytes; returns the end of what was written.
  char* writeAllTo(char* out, LineEnd lineEnd = LineEnd::CrLf) const;

  // Byte length of writeAll's output, computed without writing it (for size checks before a copy).
  std::uint64_t textBytes(LineEnd lineEnd = LineEnd::CrLf) const;

  const std::vector<AddressRun>& runs() const { return runs_; }

 private:
  std::vector<AddressRun> runs_;
  std::vector<std::uint64_t> starts_;  // position of each run's first entry
  std::uint64_t total_ = 0;
};

}  // namespace serialix
