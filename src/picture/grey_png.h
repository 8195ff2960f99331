#pragma once

// An 8-bit grey picture as a PNG file's bytes, written without Qt's PNG writer: its rows go in
// unfiltered and stored (zlib level 0). A rendered frame is mostly sky noise, which neither the
// row filters nor deflating shrink by much, while both cost many times the rest of the work.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/result.h"

namespace orvane::picture {

// rows: height rows of width bytes, each `stride` bytes after the one before.
core::Result<std::string> grey_png(const std::uint8_t* rows, int width, int height,
                                   std::size_t stride);

}  // namespace orvane::picture
