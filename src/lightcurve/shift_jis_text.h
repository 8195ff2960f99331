#pragma once

#include <string>
#include <string_view>

#include "core/result.h"

// Text for "sdata2.std", whose Japanese lines have always been Shift-JIS (code page 932).
namespace orvane::lightcurve {

// UTF-8 text in code page 932. ASCII stays as it is; the Japanese characters of the report's
// fixed lines come from a table of their own, so those lines never depend on the system's
// converters; anything else is converted by the C library's iconv. A character code page 932
// lacks, or text that is not UTF-8, is an error (the caller names the field).
core::Result<std::string> to_shift_jis(std::string_view utf8);

bool is_ascii(std::string_view text);

}  // namespace orvane::lightcurve
