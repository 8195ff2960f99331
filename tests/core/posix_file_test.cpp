#include "core/posix_file.h"

#include <fcntl.h>

#include <gtest/gtest.h>

#include <string>

#include "support/fits_builder.h"
#include "support/temp_dir.h"

namespace orvane::core {
namespace {

// Every reader words a file that ends early the same way, naming the file.
TEST(PosixFile, ReadsExactlyOrSaysTheFileEndedAndWritesEverything) {
  test::TempDir dir;
  const std::string path = dir.file("three.bin");
  FileDescriptor out(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644));
  ASSERT_EQ(write_all(out.get(), "abc", 3), 0);
  ASSERT_EQ(out.close(), 0);
  EXPECT_EQ(test::read_bytes(path), "abc");

  const FileDescriptor in(::open(path.c_str(), O_RDONLY));
  char bytes[4] = {};
  EXPECT_EQ(read_at(in.get(), 1, bytes, 2), 0);
  EXPECT_EQ(std::string(bytes, 2), "bc");
  const int error = read_at(in.get(), 0, bytes, 4);
  EXPECT_EQ(read_error_message(path, error), path + ": cannot be read (unexpected end of file)");
}

}  // namespace
}  // namespace orvane::core
