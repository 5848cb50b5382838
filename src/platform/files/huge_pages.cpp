#include "platform/files/huge_pages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#endif

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

void GrowHeapOnHugePages(std::size_t bytes) noexcept {
#if defined(__linux__) && defined(__GLIBC__)
  if (mallopt(M_TOP_PAD, static_cast<int>(bytes)) != 1) return;
  // The heap grows by the step at the first block that its free top cannot hold: blocks below the
  // mmap threshold are taken until it has, and given back (the step keeps the space).
  void* const end = sbrk(0);
  std::array<void*, 64> blocks{};
  std::size_t taken = 0;
  while (sbrk(0) == end && taken < blocks.size()) {
    if (!(blocks[taken] = std::malloc(std::size_t{64} << 10))) break;
    ++taken;
  }
  while (taken > 0) std::free(blocks[--taken]);
  std::FILE* maps = std::fopen("/proc/self/maps", "r");
  if (!maps) return;
  char line[512];
  unsigned long begin = 0, stop = 0;
  while (std::fgets(line, sizeof line, maps)) {
    if (std::strstr(line, "[heap]") && std::sscanf(line, "%lx-%lx", &begin, &stop) == 2) break;
    begin = stop = 0;
  }
  std::fclose(maps);
  if (stop > begin) AdviseHugePages(reinterpret_cast<const void*>(begin), stop - begin);
#else
  (void)bytes;
#endif
}

}  // namespace serialix
