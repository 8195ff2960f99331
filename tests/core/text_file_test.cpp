#include "core/text_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane::core {
namespace {

using Lines = std::vector<std::string>;

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

}  // namespace
}  // namespace orvane::core
