#include "core/text_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "support/fits_builder.h"
#include "support/temp_dir.h"

namespace orvane::core {
namespace {

using Lines = std::vector<std::string>;

using orvane::test::read_bytes;
using orvane::test::write_bytes;

// How many entries the folder holds: a temporary file left behind would be one more.
std::ptrdiff_t entries(const std::filesystem::path& folder) {
  return std::distance(std::filesystem::directory_iterator(folder), {});
}

TEST(TextFileLines, AcceptsCrLfLfAndALastLineWithoutEnd) {
  const struct {
    const char* name;
    std::string text;
    Lines expected;
  } cases[] = {
      {"CR LF and LF", "a\r\nb\n", {"a", "b"}},
      {"no end on the last line", "a\r\nb", {"a", "b"}},
      {"empty lines kept", "a\r\n\r\nb\r\n", {"a", "", "b"}},
      {"empty text", "", {}},
      {"a lone CR stays in the line", "a\rb\n", {"a\rb"}},
      {"a CR LF cut short at the end", "a\r", {"a"}},
  };
  for (const auto& c : cases) EXPECT_EQ(split_lines(c.text), c.expected) << c.name;

  EXPECT_EQ(join_crlf({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST(TextFileAtomicWrite, ReplacesTheFileKeepingItsModeAndLeavesNoTemporaryFile) {
  test::TempDir dir;
  const std::string path = dir.file("data.txt");
  write_bytes(path, "old contents that are longer than the new ones\r\n");
  std::filesystem::permissions(path, std::filesystem::perms(0640));

  ASSERT_TRUE(write_file_atomically(path, "new\r\n").ok());
  EXPECT_EQ(read_bytes(path), "new\r\n");
  EXPECT_EQ(entries(dir.path()), 1);  // data.txt
  EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(0640));

  // A new file is readable by everyone, not private like a plain temporary file.
  const std::string fresh = dir.file("fresh.txt");
  ASSERT_TRUE(write_file_atomically(fresh, "a").ok());
  EXPECT_EQ(std::filesystem::status(fresh).permissions(), std::filesystem::perms(0644));
}

TEST(TextFileAtomicWrite, FailuresNameThePathAndLeaveNothingBehind) {
  test::TempDir dir;
  const std::string in_missing_folder = dir.file("missing/out.txt");
  Status status = write_file_atomically(in_missing_folder, "x");
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.error(),
            in_missing_folder + ": cannot be written (" + std::strerror(ENOENT) + ")");

  // The temporary file is written, then the rename over a non-empty folder fails: the
  // temporary file must go again.
  const std::string folder = dir.file("taken");
  std::filesystem::create_directory(folder);
  write_bytes(folder + "/inside.txt", "keep");
  status = write_file_atomically(folder, "x");
  ASSERT_FALSE(status.ok());
  EXPECT_NE(status.error().find(folder), std::string::npos) << status.error();
  EXPECT_EQ(entries(dir.path()), 1);  // the folder "taken"
  EXPECT_EQ(read_bytes(folder + "/inside.txt"), "keep");
}

}  // namespace
}  // namespace orvane::core
