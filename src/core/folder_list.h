#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"

namespace orvane::core {

// The folder windows' file list: at most 3000 names, the processing order of a batch.
inline constexpr int kMaxFolderFiles = 3000;

struct FileList {
  std::vector<std::string> names;  // names without folder, in processing order
  std::string warning;             // non-empty when names beyond 3000 were left out
};

// Lists the regular files of folder whose names end in ".fit", ".fts" or ".fits" in any letter
// case, sorted without regard to letter case (names that differ only in case by character codes).
// More than 3000: the first 3000 and a warning. An error when the folder cannot be listed.
Result<FileList> file_list_make(const std::string& folder);

// "Sort": ascending by character codes (upper-case letters before lower-case ones).
void sort_by_character_codes(std::vector<std::string>& names);

// The list box's text as names: lines end with CR LF, LF or CR; blank lines (empty or
// only blanks) are skipped; a last
// line without a line break counts too. More than 3000: the first 3000 and a warning.
FileList file_list_take(std::string_view text);

// The list box's text: each name followed by CR LF.
std::string file_list_text(const std::vector<std::string>& names);

// A listed name in its folder; a name that is already an absolute path stays as it is.
std::string path_in_folder(const std::string& folder, const std::string& name);

// The FITS files of a folder for a command-line FOLDER argument: the full paths, sorted by
// character codes. More than 3000 is an error here.
Result<std::vector<std::string>> folder_fits_paths(const std::string& folder);

}  // namespace orvane::core
