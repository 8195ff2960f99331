#include "core/large_buffer.h"

#include <sys/mman.h>

#include <cstdlib>

namespace orvane::core {
namespace {

// Below this size the ordinary heap is faster and wastes nothing.
constexpr std::size_t kMappedFrom = std::size_t{1} << 20;

}  // namespace

void* allocate_large(std::size_t bytes) {
  if (bytes == 0) bytes = 1;
  if (bytes < kMappedFrom) {
    void* memory = std::calloc(bytes, 1);
    if (memory == nullptr) throw std::bad_alloc();
    return memory;
  }
  void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (memory == MAP_FAILED) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
  madvise(memory, bytes, MADV_HUGEPAGE);  // a hint: without huge pages it simply does nothing
#endif
  return memory;
}

void free_large(void* memory, std::size_t bytes) noexcept {
  if (memory == nullptr) return;
  if (bytes == 0) bytes = 1;
  if (bytes < kMappedFrom) {
    std::free(memory);
  } else {
    munmap(memory, bytes);
  }
}

}  // namespace orvane::core
