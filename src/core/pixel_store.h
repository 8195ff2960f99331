#pragma once

#include <cstddef>
#include <cstdint>

namespace orvane::core {

// One 5501 x 5501 matrix of signed 32-bit pixels, element (x, y) at x + 5501 * y. The memory is
// taken zero-filled from the system on first use, so an unused store costs nothing and a small
// image touches only the pages it writes.
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
  std::int32_t* data();
  const std::int32_t* data() const;
  std::int32_t* row(int y) { return data() + std::size_t{kSide} * y; }
  const std::int32_t* row(int y) const { return data() + std::size_t{kSide} * y; }

  bool allocated() const { return data_ != nullptr; }

 private:
  mutable std::int32_t* data_ = nullptr;
};

}  // namespace orvane::core
