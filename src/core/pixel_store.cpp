#include "core/pixel_store.h"

#include "core/large_buffer.h"

namespace orvane::core {

PixelStore::~PixelStore() {
  free_large(data_, kElements * sizeof(std::int32_t));
}

std::int32_t* PixelStore::data() {
  // Zero pages are handed out untouched, so only the pages an image uses are ever paid for.
  if (data_ == nullptr) {
    data_ = static_cast<std::int32_t*>(allocate_large(kElements * sizeof(std::int32_t)));
  }
  return data_;
}

const std::int32_t* PixelStore::data() const {
  return const_cast<PixelStore*>(this)->data();
}

}  // namespace orvane::core
