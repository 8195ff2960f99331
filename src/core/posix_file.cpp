#include "core/posix_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <utility>

namespace orvane::core {

FileDescriptor::~FileDescriptor() {
  if (fd_ >= 0) ::close(fd_);
}

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)) {}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

int FileDescriptor::close() {
  if (fd_ < 0) return 0;
  // The descriptor is gone even when close reports an error; it is never closed twice.
  return ::close(std::exchange(fd_, -1)) == 0 ? 0 : errno;
}

int read_at(int fd, off_t offset, void* buffer, std::size_t size) {
  auto* bytes = static_cast<std::uint8_t*>(buffer);
  while (size > 0) {
    const ssize_t got = ::pread(fd, bytes, size, offset);
    if (got < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (got == 0) return kUnexpectedEnd;
    bytes += got, size -= static_cast<std::size_t>(got), offset += got;
  }
  return 0;
}

int read_to_end(int fd, std::string& bytes) {
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (got == 0) return 0;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

int write_all(int fd, const void* data, std::size_t size) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  while (size > 0) {
    const ssize_t written = ::write(fd, bytes, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes += written, size -= static_cast<std::size_t>(written);
  }
  return 0;
}

std::string io_reason(int error) {
  return error == kUnexpectedEnd ? "unexpected end of file" : std::strerror(error);
}

std::string open_error_message(const std::string& path, int error) {
  return path + ": cannot be opened (" + io_reason(error) + ")";
}

std::string read_error_message(const std::string& path, int error) {
  return path + ": cannot be read (" + io_reason(error) + ")";
}

std::string write_error_message(const std::string& path, int error) {
  return path + ": cannot be written (" + io_reason(error) + ")";
}

}  // namespace orvane::core
