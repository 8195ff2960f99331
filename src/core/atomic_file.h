#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/posix_file.h"
#include "core/result.h"

namespace orvane::core {

// Replaces a file safely, for every writer of the program: the new contents go to a temporary
// file in the same folder, which is renamed over the target only after every write and the
// close succeeded. Until then the old file stays as it was, and on any failure (a full disk, a
// file-size limit, a folder that cannot be written) the temporary file is removed again.
//
// When the target already exists its new contents are synced to the disk before the rename:
// batches rewrite the observer's originals in place, and a rename that reached the disk before
// the data would leave an empty file after a power cut. A new file has nothing to lose, so it is
// not synced, which keeps runs that create many files (composites) quick.
//
// Errors read "<path>: cannot be written (<reason>)", the path being the one given.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(std::string path);
  ~AtomicFileWriter();  // removes the temporary file unless committed
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // Creates the temporary file beside the target.
  Status open();
  // Appends bytes; may be called any number of times between open and commit.
  Status write(const void* data, std::size_t size);
  Status write(std::string_view bytes) { return write(bytes.data(), bytes.size()); }
  // Closes the temporary file and renames it over the target.
  Status commit();

  const std::string& path() const { return path_; }

 private:
  Status fail(int error_number);

  std::string path_;    // as given, for messages
  std::string target_;  // the file replaced: path_, or the file a symbolic link names
  std::string temp_path_;
  FileDescriptor file_;
  bool replaces_ = false;  // the target existed when the file was opened
  bool created_ = false;
  bool committed_ = false;
};

}  // namespace orvane::core
