// libFuzzer target: every input is read as a whole FITS file from memory.

#include <cstddef>
#include <cstdint>

#include "fits_read_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static orvane::fuzz::FitsReadChecker checker;
  checker.check({data, size});
  return 0;
}
