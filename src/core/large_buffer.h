#pragma once

#include <cstddef>
#include <new>

namespace orvane::core {

// Memory for whole frames and pictures (tens of megabytes). It comes zero-filled and untouched
// from the system, backed by huge pages where the system offers them: filling 64 MB page by
// page costs far more than reading a frame on some virtual machines.
void* allocate_large(std::size_t bytes);
void free_large(void* memory, std::size_t bytes) noexcept;

// An allocator for containers that hold whole pictures.
template <typename T>
struct LargeBufferAllocator {
  using value_type = T;

  LargeBufferAllocator() = default;
  template <typename U>
  LargeBufferAllocator(const LargeBufferAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) { return static_cast<T*>(allocate_large(n * sizeof(T))); }
  void deallocate(T* p, std::size_t n) noexcept { free_large(p, n * sizeof(T)); }

  template <typename U>
  bool operator==(const LargeBufferAllocator<U>&) const noexcept {
    return true;
  }
};

}  // namespace orvane::core
