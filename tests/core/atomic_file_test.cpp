#include "core/atomic_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <string>

#include "core/text_file.h"
#include "support/file_size_limit.h"
#include "support/fits_builder.h"
#include "support/temp_dir.h"

namespace orvane::core {
namespace {

using test::read_bytes;
using test::write_bytes;

std::ptrdiff_t entries(const std::filesystem::path& folder) {
  return std::distance(std::filesystem::directory_iterator(folder), {});
}

// Streams the text in pieces of `piece` bytes, as the FITS writer streams rows.
Status write_in_pieces(const std::string& path, const std::string& text, std::size_t piece) {
  AtomicFileWriter file(path);
  if (Status s = file.open(); !s) return s;
  for (std::size_t at = 0; at < text.size(); at += piece) {
    if (Status s = file.write(std::string_view(text).substr(at, piece)); !s) return s;
  }
  return file.commit();
}

TEST(AtomicFileWriter, StreamsPiecesAndReplacesTheFileOnlyAtCommit) {
  test::TempDir dir;
  const std::string path = dir.file("data.bin");
  write_bytes(path, "old");
  {
    AtomicFileWriter file(path);
    ASSERT_TRUE(file.open().ok());
    ASSERT_TRUE(file.write("new ").ok());
    EXPECT_EQ(read_bytes(path), "old");  // nothing visible before the commit
    EXPECT_EQ(entries(dir.path()), 2);   // data.bin and the temporary file
  }
  // Dropped without commit: the temporary file is gone, the old file untouched.
  EXPECT_EQ(read_bytes(path), "old");
  EXPECT_EQ(entries(dir.path()), 1);

  ASSERT_TRUE(write_in_pieces(path, "abcdefghij", 3).ok());
  EXPECT_EQ(read_bytes(path), "abcdefghij");
  EXPECT_EQ(entries(dir.path()), 1);
}

TEST(AtomicFileWriter, KeepsTheReplacedFilesLinkAndModeAndMakesNewFilesReadable) {
  test::TempDir dir;
  const std::string real = dir.file("real.fit");
  const std::string link = dir.file("link.fit");
  write_bytes(real, "old contents, longer than the new");
  std::filesystem::permissions(real, std::filesystem::perms(0640));
  std::filesystem::create_symlink(real, link);
  ASSERT_TRUE(write_file_atomically(link, "new").ok());
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(read_bytes(real), "new");
  EXPECT_EQ(std::filesystem::status(real).permissions(), std::filesystem::perms(0640));
  // A new file is readable by everyone, not private like a plain temporary file.
  ASSERT_TRUE(write_file_atomically(dir.file("fresh.txt"), "a").ok());
  EXPECT_EQ(std::filesystem::status(dir.file("fresh.txt")).permissions(),
            std::filesystem::perms(0644));
}

TEST(AtomicFileWriter, AFileSizeLimitFailsTheWriteNamingThePathAndLosesNothing) {
  test::TempDir dir;
  const std::string path = dir.file("big.bin");
  write_bytes(path, "the old contents");
  const std::string big(5000, 'x');
  // Under a 2000-byte limit the 5000 bytes stop part way: EFBIG, whether written whole or in
  // 1000-byte pieces.
  for (std::size_t piece : {std::size_t{5000}, std::size_t{1000}}) {
    SCOPED_TRACE(piece);
    const std::string error = test::with_file_size_limit(2000, [&] {
      const Status s = write_in_pieces(path, big, piece);
      return s.ok() ? std::string("written") : s.error();
    });
    EXPECT_EQ(error, path + ": cannot be written (" + std::strerror(EFBIG) + ")");
    EXPECT_EQ(read_bytes(path), "the old contents");
    EXPECT_EQ(entries(dir.path()), 1);
  }
}

TEST(AtomicFileWriter, FailuresNameThePathAndLeaveNothingBehind) {
  test::TempDir dir;
  const std::string nowhere = dir.file("missing/out.bin");
  const Status s = write_file_atomically(nowhere, "x");
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.error(), nowhere + ": cannot be written (" + std::strerror(ENOENT) + ")");

  AtomicFileWriter never_opened(dir.file("a.bin"));
  EXPECT_FALSE(never_opened.write("x").ok());
  EXPECT_FALSE(never_opened.commit().ok());
  EXPECT_EQ(entries(dir.path()), 0);

  // The temporary file is written, then the rename over a non-empty folder fails: the
  // temporary file must go again.
  const std::string folder = dir.file("taken");
  std::filesystem::create_directory(folder);
  write_bytes(folder + "/inside.txt", "keep");
  const Status over_folder = write_file_atomically(folder, "x");
  ASSERT_FALSE(over_folder.ok());
  EXPECT_NE(over_folder.error().find(folder), std::string::npos) << over_folder.error();
  EXPECT_EQ(entries(dir.path()), 1);  // the folder "taken"
  EXPECT_EQ(read_bytes(folder + "/inside.txt"), "keep");
}

}  // namespace
}  // namespace orvane::core
