#include "platform/files/huge_pages.h"

#include <sys/mman.h>

#include <cstdint>

namespace serialix {

void AdviseHugePages(const void* data, std::size_t size) noexcept {
  constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
  if (size < 2 * kHugePage) return;
  const auto begin = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t last = (begin + size) & ~(kHugePage - 1);
  if (last <= first) return;
  // A refusal (no transparent huge pages here) only leaves the ordinary pages.
  ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

}  // namespace serialix
