#include "core/pixel_store.h"

#include <cstdlib>
#include <new>

namespace orvane::core {

PixelStore::~PixelStore() {
  std::free(data_);
}

std::int32_t* PixelStore::data() {
  if (data_ == nullptr) {
    // calloc hands out untouched zero pages, so only the pages an image uses are ever paid for.
    data_ = static_cast<std::int32_t*>(std::calloc(kElements, sizeof(std::int32_t)));
    if (data_ == nullptr) throw std::bad_alloc();
  }
  return data_;
}

const std::int32_t* PixelStore::data() const {
  return const_cast<PixelStore*>(this)->data();
}

}  // namespace orvane::core
