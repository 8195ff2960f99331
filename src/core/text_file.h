#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"

namespace orvane::core {

// The lines of a text file; CR LF, LF and a last line without an end are all accepted.
Result<std::vector<std::string>> read_text_lines(const std::string& path);

// Splits text into lines the same way.
std::vector<std::string> split_lines(std::string_view text);

// Replaces path with bytes through AtomicFileWriter (core/atomic_file.h): a failure never
// leaves a half-written file, and the error reads "<path>: cannot be written (<reason>)".
Status write_file_atomically(const std::string& path, std::string_view bytes);

// Lines joined with CR LF after each, as the program's text files are written.
std::string join_crlf(const std::vector<std::string>& lines);

}  // namespace orvane::core
