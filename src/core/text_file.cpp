#include "core/text_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/atomic_file.h"

namespace orvane::core {
namespace {

Error system_error(const std::string& path, int error_number) {
  return Error{path + ": " + std::strerror(error_number)};
}

}  // namespace

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
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return system_error(path, errno);
  std::string text;
  char buffer[65536];
  for (;;) {
    ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      int error_number = errno;
      ::close(fd);
      return system_error(path, error_number);
    }
    if (got == 0) break;
    text.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
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
