#include "core/pixel_store.h"

#include "core/large_buffer.h"

namespace orvane::core {

PixelStore::~PixelStore() {
  free_large(data_.load(), kElements * sizeof(std::int32_t));
}

std::int32_t* PixelStore::allocate() {
  // Zero pages are handed out untouched, so only the pages an image uses are ever paid for.
  // A thread that loses the race waits here for the winner's matrix; a failed allocation throws
  // and leaves the flag unset, so a later call tries again.
  std::call_once(allocated_once_, [this] {
    data_.store(static_cast<std::int32_t*>(allocate_large(kElements * sizeof(std::int32_t))),
                std::memory_order_release);
  });
  return data_.load(std::memory_order_acquire);
}

}  // namespace orvane::core
