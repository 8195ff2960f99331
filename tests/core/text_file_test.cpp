#include "core/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
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

std::vector<std::string> folder_names(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

TEST(TextFileLines, AcceptsCrLfLfAndALastLineWithoutEnd) {
  struct Case {
    const char* name;
    std::string text;
    Lines expected;
  };
  const Case cases[] = {
      {"CR LF", "a\r\nb\r\n", {"a", "b"}},
      {"LF", "a\nb\n", {"a", "b"}},
      {"no end on the last line", "a\r\nb", {"a", "b"}},
      {"empty lines kept", "a\r\n\r\nb\r\n", {"a", "", "b"}},
      {"empty text", "", {}},
      {"a lone CR stays in the line", "a\rb\n", {"a\rb"}},
      {"a CR LF cut short at the end", "a\r", {"a"}},
  };
  for (const Case& c : cases) EXPECT_EQ(split_lines(c.text), c.expected) << c.name;

  test::TempDir dir;
  const std::string path = dir.file("mixed.txt");
  write_bytes(path, "one\r\ntwo\nthree");
  Result<Lines> lines = read_text_lines(path);
  ASSERT_TRUE(lines.ok()) << lines.error();
  EXPECT_EQ(*lines, (Lines{"one", "two", "three"}));

  EXPECT_EQ(join_crlf({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST(TextFileLines, MissingFileNamesThePathAndTheReason) {
  test::TempDir dir;
  const std::string path = dir.file("absent.txt");
  Result<Lines> lines = read_text_lines(path);
  ASSERT_FALSE(lines.ok());
  EXPECT_NE(lines.error().find(path), std::string::npos) << lines.error();
  EXPECT_NE(lines.error().find(std::strerror(ENOENT)), std::string::npos) << lines.error();
}

TEST(TextFileAtomicWrite, ReplacesTheFileKeepingItsModeAndLeavesNoTemporaryFile) {
  test::TempDir dir;
  const std::string path = dir.file("data.txt");
  write_bytes(path, "old contents that are longer than the new ones\r\n");
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);

  ASSERT_TRUE(write_file_atomically(path, "new\r\n").ok());
  EXPECT_EQ(read_bytes(path), "new\r\n");
  EXPECT_EQ(folder_names(dir.path()), (std::vector<std::string>{"data.txt"}));
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);

  // A new file is readable by everyone, not private like a plain temporary file.
  const std::string fresh = dir.file("fresh.txt");
  ASSERT_TRUE(write_file_atomically(fresh, std::string("a\0b", 3)).ok());
  EXPECT_EQ(read_bytes(fresh), std::string("a\0b", 3));
  ASSERT_EQ(stat(fresh.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST(TextFileAtomicWrite, FailuresNameThePathAndLeaveNothingBehind) {
  test::TempDir dir;

  const std::string in_missing_folder = dir.file("missing/out.txt");
  Status status = write_file_atomically(in_missing_folder, "x");
  ASSERT_FALSE(status.ok());
  EXPECT_NE(status.error().find(in_missing_folder), std::string::npos) << status.error();
  EXPECT_NE(status.error().find(std::strerror(ENOENT)), std::string::npos) << status.error();

  // The temporary file is written, then the rename over a non-empty folder fails: the
  // temporary file must go again.
  const std::string folder = dir.file("taken");
  std::filesystem::create_directory(folder);
  write_bytes(folder + "/inside.txt", "keep");
  status = write_file_atomically(folder, "x");
  ASSERT_FALSE(status.ok());
  EXPECT_NE(status.error().find(folder), std::string::npos) << status.error();
  EXPECT_EQ(folder_names(dir.path()), (std::vector<std::string>{"taken"}));
  EXPECT_EQ(read_bytes(folder + "/inside.txt"), "keep");
}

}  // namespace
}  // namespace orvane::core
