#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "address_template.h"
#include "odometer.h"

namespace serialix {

// The addresses of one generation run, frozen: O(1) to create and hold whatever its count,
// random access by mixed-radix decoding, and a fast sequential writer. Both are tested against
// the plain nested loops of BuildAddressList (address_list.h), the reference enumeration.
class AddressRun {
 public:
  // The template's count must fit (AddressCount has a value).
  explicit AddressRun(AddressTemplate tmpl);

  // The template the run was made from; the export checks its texts once per run.
  const AddressTemplate& addressTemplate() const { return tmpl_; }
  std::uint64_t size() const { return size_; }

  // The address at a position in [0, size()).
  std::string at(std::uint64_t position) const;

  // Appends the addresses [first, first + count), each followed by the line end, to an internal
  // buffer handed to the sink whenever it fills. Returns false when the sink cancelled.
  bool writeLines(std::uint64_t first, std::uint64_t count, const ChunkSink& sink,
                  LineEnd lineEnd = LineEnd::CrLf) const;

  // The same lines made straight into `out`, which holds their length plus kOdometerSlack bytes;
  // returns the end of what was written.
  char* writeLinesTo(std::uint64_t first, std::uint64_t count, char* out, LineEnd lineEnd = LineEnd::CrLf) const;

  // The same run with every fixed text segment passed through f (for instance to encode it once
  // for a file); counter digits are ASCII and stay as they are.
  // The run as the odometer its writer turns: one wheel per counter, G outermost.
  Odometer odometer() const;

  AddressRun withTextsMapped(const std::function<std::string(const std::string&)>& f) const;

  // Byte length of writeLines(0, size())'s output, computed without writing it; saturates at
  // the largest 64-bit value.
  std::uint64_t textBytes(LineEnd lineEnd = LineEnd::CrLf) const;

 private:
  AddressRun(AddressTemplate tmpl, std::string scheme);
  // The odometer's wheel positions at a position of the run.
  std::vector<std::uint64_t> wheelsAt(std::uint64_t position) const;

  AddressTemplate tmpl_;
  std::uint64_t size_ = 0;
  // The fixed text between the counters: scheme B C D E F | G | H I | J | K | L | M N.
  std::string fixed_[4];
};

}  // namespace serialix
