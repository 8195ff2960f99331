#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace orvane::core {

// One 5501 x 5501 matrix of signed 32-bit pixels, element (x, y) at x + 5501 * y. The memory is
// taken zero-filled from the system on first use, so an unused store costs nothing and a small
// image touches only the pages it writes. The first use may come from several threads at once
// (the renderer draws on every core); the matrix is still allocated exactly once.
class PixelStore {
 public:
  static constexpr int kSide = 5501;
  static constexpr std::size_t kElements = std::size_t{kSide} * kSide;

  PixelStore() = default;
  ~PixelStore();
  PixelStore(const PixelStore&) = delete;
  PixelStore& operator=(const PixelStore&) = delete;

  // x and y in 0..5500.
  std::int32_t& at(int x, int y) { return data()[x + std::size_t{kSide} * y]; }
  std::int32_t at(int x, int y) const { return data()[x + std::size_t{kSide} * y]; }

  // The whole matrix, allocated on the first call. Throws std::bad_alloc when memory is short.
  std::int32_t* data() {
    std::int32_t* memory = data_.load(std::memory_order_acquire);
    return memory != nullptr ? memory : allocate();
  }
  const std::int32_t* data() const { return const_cast<PixelStore*>(this)->data(); }
  std::int32_t* row(int y) { return data() + std::size_t{kSide} * y; }
  const std::int32_t* row(int y) const { return data() + std::size_t{kSide} * y; }

  bool allocated() const { return data_.load(std::memory_order_acquire) != nullptr; }

 private:
  std::int32_t* allocate();

  std::atomic<std::int32_t*> data_{nullptr};
  std::once_flag allocated_once_;
};

}  // namespace orvane::core
