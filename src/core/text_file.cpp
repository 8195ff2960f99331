#include "core/text_file.h"

#include <fcntl.h>

#include <cerrno>

#include "core/atomic_file.h"
#include "core/posix_file.h"

namespace orvane::core {

std::vector<std::string> split_lines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    // A CR before the LF belongs to the line end; so does a CR that ends the text, which is
    // a CR LF cut short. A CR anywhere else stays in the line.
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

Result<std::vector<std::string>> read_text_lines(const std::string& path) {
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  // A file that is not there says only why ("<path>: No such file or directory"), as the data
  // file's window has always said it.
  if (!file.valid()) return Error{path + ": " + io_reason(errno)};
  std::string text;
  if (const int error = read_to_end(file.get(), text); error != 0) {
    return Error{read_error_message(path, error)};
  }
  return split_lines(text);
}

Status write_file_atomically(const std::string& path, std::string_view bytes) {
  AtomicFileWriter file(path);
  if (Status s = file.open(); !s) return s;
  if (Status s = file.write(bytes); !s) return s;
  return file.commit();
}

std::string join_crlf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace orvane::core
