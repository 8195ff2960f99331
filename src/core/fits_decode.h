#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

#include "core/fits_header_parse.h"
#include "core/fits_reader.h"
#include "core/result.h"

// The reader's decoding stage: the data unit's bytes turned into 32-bit values with the file's
// scaling and the read-time settings.
namespace orvane::core {

struct FitsExtremes {
  std::int32_t max_value = -1;
  std::int32_t min_value = std::numeric_limits<std::int32_t>::max();
  std::int64_t limited = 0;
};

// Where the values go: row y starts at base + y * stride.
struct PixelDestination {
  std::int32_t* base;
  std::size_t stride;
};

// The data unit: read from the file block by block, or already in memory.
struct FitsDataUnit {
  int fd;
  off_t offset;
  std::size_t values;
  const std::string& path;
  const std::uint8_t* memory = nullptr;
};

// Where the decoded values go and how they are read.
struct FitsTarget {
  PixelDestination to;
  int width;
  const ReadOptions& options;
};

// Decodes the data unit into target, choosing the decoder for the header's BITPIX and scaling.
// Fails only when a data unit read from a file cannot be read.
Result<FitsExtremes> decode_pixels(const FitsDataUnit& data, const FitsHeader& header,
                                   const FitsTarget& target);

}  // namespace orvane::core
