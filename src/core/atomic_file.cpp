#include "core/atomic_file.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace orvane::core {
namespace {

// A symbolic link is followed, so rewriting "in place" changes the file the link names and the
// link stays a link.
std::string resolved_target(const std::string& path) {
  struct stat link {};
  if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
  char* real = ::realpath(path.c_str(), nullptr);
  if (real == nullptr) return path;
  std::string target(real);
  std::free(real);
  return target;
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(std::string path)
    : path_(std::move(path)), target_(resolved_target(path_)), temp_path_(target_ + ".XXXXXX") {}

AtomicFileWriter::~AtomicFileWriter() {
  file_ = FileDescriptor();
  if (created_ && !committed_) ::unlink(temp_path_.c_str());
}

Status AtomicFileWriter::fail(int error_number) {
  file_ = FileDescriptor();
  if (created_) ::unlink(temp_path_.c_str());
  created_ = false;
  return Error{write_error_message(path_, error_number)};
}

Status AtomicFileWriter::open() {
  file_ = FileDescriptor(::mkostemp(temp_path_.data(), O_CLOEXEC));
  if (!file_.valid()) return Error{write_error_message(path_, errno)};
  created_ = true;
  // The new file gets the mode and owner of the one it replaces, else rw-r--r-- (mkstemp makes
  // rw-------). Handing the file back to its owner is allowed only to root, and only tried then.
  struct stat existing {};
  replaces_ = ::stat(target_.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
  if (::fchmod(file_.get(), replaces_ ? existing.st_mode & 07777 : 0644) != 0) return fail(errno);
  if (replaces_ && ::geteuid() == 0) {
    [[maybe_unused]] const int ignored = ::fchown(file_.get(), existing.st_uid, existing.st_gid);
  }
  return ok_status();
}

Status AtomicFileWriter::write(const void* data, std::size_t size) {
  if (!file_.valid()) return Error{write_error_message(path_, EBADF)};
  if (const int error = write_all(file_.get(), data, size); error != 0) return fail(error);
  return ok_status();
}

Status AtomicFileWriter::commit() {
  if (!file_.valid()) return Error{write_error_message(path_, EBADF)};
  if (replaces_ && ::fdatasync(file_.get()) != 0) return fail(errno);
  if (const int error = file_.close(); error != 0) return fail(error);
  if (std::rename(temp_path_.c_str(), target_.c_str()) != 0) return fail(errno);
  committed_ = true;
  return ok_status();
}

}  // namespace orvane::core
