#include "core/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace orvane::core {
namespace {

Error system_error(const std::string& path, int error_number) {
  return Error{path + ": " + std::strerror(error_number)};
}

// Writes all of bytes to fd, resuming after short writes and interrupted calls.
bool write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The mode the new file gets: that of the file it replaces, else rw-r--r-- (mkstemp makes 0600).
mode_t mode_for(const std::string& path) {
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
    return existing.st_mode & 07777;
  }
  return 0644;
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
  std::string temp_path = path + ".XXXXXX";
  int fd = ::mkstemp(temp_path.data());
  if (fd < 0) return system_error(path, errno);

  int error_number = 0;
  if (!write_all(fd, bytes) || ::fchmod(fd, mode_for(path)) != 0 || ::fsync(fd) != 0) {
    error_number = errno;
  }
  if (::close(fd) != 0 && error_number == 0) error_number = errno;
  if (error_number == 0 && std::rename(temp_path.c_str(), path.c_str()) != 0) {
    error_number = errno;
  }
  if (error_number != 0) {
    ::unlink(temp_path.c_str());
    return system_error(path, error_number);
  }
  return ok_status();
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
