#include "platform/Memory.h"

#include <malloc.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

void PrefaultHeap(std::size_t bytes) {
  mallopt(M_ARENA_MAX, 1);
  mallopt(M_MMAP_THRESHOLD, 8 << 20);
  mallopt(M_TRIM_THRESHOLD, 512 << 20);
  constexpr std::size_t block = 4 << 20, page = 4096;
  std::vector<void*> blocks;
  for (std::size_t n = 0; n < bytes; n += block) {
    void* p = std::malloc(block);
    if (!p) break;
    const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(p) + page - 1) & ~std::uintptr_t{page - 1};
    madvise(reinterpret_cast<void*>(begin), block - page, MADV_POPULATE_WRITE);
    blocks.push_back(p);
  }
  for (void* p : blocks) std::free(p);
}
