#pragma once

#include <string>
#include <vector>

#include "cli_args.h"
#include "core/result.h"

namespace orvane::cli {

// The files of a (FILE...|FOLDER) argument: one FOLDER gives its FITS files sorted by character
// codes, otherwise the FILEs in the order given. Checked before any file is touched: an argument
// that does not exist, a folder that lists no FITS name or more than 3000 is an error naming it.
// No argument at all is a usage error.
core::Result<std::vector<std::string>> input_files(const ParsedArgs& args);

}  // namespace orvane::cli
