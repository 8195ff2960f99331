#pragma once

#include <string>
#include <vector>

#include "core/result.h"

namespace orvane::core {

// The header cards of a FITS file up to and including END, read without its data unit: what a
// report needs from each of thousands of frames (the time, the pointing, the site). A file
// without "SIMPLE  =" at its start or without END in its first 468 cards is refused, naming
// the file.
Result<std::vector<std::string>> read_header_cards(const std::string& path);

}  // namespace orvane::core
