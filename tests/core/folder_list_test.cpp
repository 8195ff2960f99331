#include "core/folder_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/fits_builder.h"
#include "support/temp_dir.h"

namespace orvane::core {
namespace {

using Names = std::vector<std::string>;

TEST(FolderList, ListsRegularFitsFilesOfAnyLetterCaseWithoutRegardToCase) {
  test::TempDir dir;
  for (const char* name : {"b.FTS", "a.fit", "c.fits", "d.Fit", "E.FITS", "notes.txt", "fit",
                           "x.fit.bak", "B.fts", "a.fit.Xy12Ab"}) {
    test::write_bytes(dir.file(name), "x");
  }
  std::filesystem::create_directory(dir.file("folder.fit"));                 // not a regular file
  std::filesystem::create_symlink(dir.file("a.fit"), dir.file("link.fit"));  // names a file

  Result<FileList> list = file_list_make(dir.path().string());
  ASSERT_TRUE(list.ok()) << list.error();
  // Case-insensitive: a, b/B (equal ignoring case, then by codes: "B.fts" < "b.FTS"), c, d, E.
  EXPECT_EQ(list->names,
            (Names{"a.fit", "B.fts", "b.FTS", "c.fits", "d.Fit", "E.FITS", "link.fit"}));
  EXPECT_EQ(list->warning, "");

  // The command line's FOLDER argument: full paths, by character codes (capitals first).
  Result<std::vector<std::string>> paths = folder_fits_paths(dir.path().string());
  ASSERT_TRUE(paths.ok());
  Names expected;
  for (const char* name : {"B.fts", "E.FITS", "a.fit", "b.FTS", "c.fits", "d.Fit", "link.fit"}) {
    expected.push_back(dir.file(name));
  }
  EXPECT_EQ(*paths, expected);

  const std::string missing = dir.file("missing");
  Result<FileList> none = file_list_make(missing);
  ASSERT_FALSE(none.ok());
  EXPECT_EQ(none.error().rfind(missing + ": cannot be listed (", 0), 0u) << none.error();
}

TEST(FolderList, StopsAt3000Names) {
  test::TempDir dir;
  for (int i = 0; i < 3001; ++i)
    test::write_bytes(dir.file("f" + std::to_string(10000 + i) + ".fit"), "");
  const std::string folder = dir.path().string();
  Result<FileList> list = file_list_make(folder);
  ASSERT_TRUE(list.ok());
  ASSERT_EQ(list->names.size(), 3000u);
  EXPECT_EQ(list->names.back(), "f12999.fit");  // f13000.fit is the one left out
  EXPECT_EQ(list->warning, folder + ": more than 3000 files; only the first 3000 are listed");

  Result<std::vector<std::string>> paths = folder_fits_paths(folder);
  ASSERT_FALSE(paths.ok());
  EXPECT_EQ(paths.error(), folder + ": more than 3000 FITS files");

  std::string text;
  for (int i = 0; i < 3001; ++i) text += "n" + std::to_string(i) + ".fit\r\n";
  FileList taken = file_list_take(text);
  EXPECT_EQ(taken.names.size(), 3000u);
  EXPECT_EQ(taken.warning, "The list: more than 3000 files; only the first 3000 are listed");
}

TEST(FolderList, SortsByCharacterCodes) {
  const struct {
    const char* name;
    Names names;
    Names sorted;
  } cases[] = {
      {"capitals before small letters",
       {"B2.fit", "a1.fit", "A3.fit"},
       {"A3.fit", "B2.fit", "a1.fit"}},
      {"digits before letters", {"b.fit", "9.fit", "A.fit"}, {"9.fit", "A.fit", "b.fit"}},
      {"a shorter name first", {"ab.fit", "a.fit"}, {"a.fit", "ab.fit"}},
      {"bytes above 127 last", {"\xC3\xA9.fit", "z.fit"}, {"z.fit", "\xC3\xA9.fit"}},
  };
  for (const auto& c : cases) {
    Names names = c.names;
    sort_by_character_codes(names);
    EXPECT_EQ(names, c.sorted) << c.name;
  }
}

TEST(FolderList, SplitsTheListTextOnAnyLineBreak) {
  const struct {
    const char* name;
    std::string text;
    Names names;
  } cases[] = {
      {"CR LF", "a.fit\r\nb.fit\r\n", {"a.fit", "b.fit"}},
      {"LF", "a.fit\nb.fit\n", {"a.fit", "b.fit"}},
      {"CR", "a.fit\rb.fit\r", {"a.fit", "b.fit"}},
      {"mixed", "a.fit\rb.fit\nc.fit\r\nd.fit", {"a.fit", "b.fit", "c.fit", "d.fit"}},
      {"last line without a line break is taken", "a.fit\r\nb.fit", {"a.fit", "b.fit"}},
      {"blank lines skipped", "\r\n\r\na.fit\r\n  \r\n\n\rb.fit\r\n\r\n", {"a.fit", "b.fit"}},
      {"LF CR is two breaks, no empty name", "a.fit\n\rb.fit", {"a.fit", "b.fit"}},
      {"blanks inside a name kept", " my file.fit \r\n", {" my file.fit "}},
      {"empty text", "", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(file_list_take(c.text).names, c.names) << c.name;

  EXPECT_EQ(file_list_text({"A3.fit", "b.fit"}), "A3.fit\r\nb.fit\r\n");
  EXPECT_EQ(file_list_take(file_list_text({"A3.fit", "b.fit"})).names, (Names{"A3.fit", "b.fit"}));
  EXPECT_EQ(path_in_folder("/data/night", "a.fit"), "/data/night/a.fit");
  EXPECT_EQ(path_in_folder("/data/night/", "a.fit"), "/data/night/a.fit");
  EXPECT_EQ(path_in_folder("/data/night", "/other/b.fit"), "/other/b.fit");
}

}  // namespace
}  // namespace orvane::core
