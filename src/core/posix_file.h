#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>

// Raw file access for every reader and writer of the program: one place that retries
// interrupted calls and short transfers and says what went wrong in the same words.
namespace orvane::core {

// Why a read or write stopped: an errno value, or this when the file ended before the bytes
// asked for (a file cut short or shrinking while it is read). 0 means done.
inline constexpr int kUnexpectedEnd = -1;

// An open file descriptor, closed when the guard goes (-1: none).
class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor();
  FileDescriptor(FileDescriptor&& other) noexcept;
  FileDescriptor& operator=(FileDescriptor&& other) noexcept;

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now: 0, or the errno value of a failed close (a full disk may show only here).
  [[nodiscard]] int close();

 private:
  int fd_ = -1;
};

// Reads exactly `size` bytes at `offset`: 0, an errno value, or kUnexpectedEnd.
[[nodiscard]] int read_at(int fd, off_t offset, void* buffer, std::size_t size);

// Appends everything up to the end of the file to `bytes`: 0 or an errno value.
[[nodiscard]] int read_to_end(int fd, std::string& bytes);

// Writes all `size` bytes at the file position: 0 or an errno value.
[[nodiscard]] int write_all(int fd, const void* data, std::size_t size);

// The reason in words: the system's text for an errno value, "unexpected end of file".
std::string io_reason(int error);

// "<path>: cannot be opened (<reason>)".
std::string open_error_message(const std::string& path, int error);

// "<path>: cannot be read (<reason>)".
std::string read_error_message(const std::string& path, int error);

// "<path>: cannot be written (<reason>)".
std::string write_error_message(const std::string& path, int error);

}  // namespace orvane::core
