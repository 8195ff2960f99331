#include "core/folder_list.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/fits_reader.h"
#include "core/number_text.h"

namespace orvane::core {
namespace {

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Without regard to letter case; names equal so are ordered by character codes, so the order
// never depends on the order the system returned them in.
bool before_ignoring_case(const std::string& a, const std::string& b) {
  const auto by_lower = [](char x, char y) {
    return static_cast<unsigned char>(lower(x)) < static_cast<unsigned char>(lower(y));
  };
  if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), by_lower)) return true;
  if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), by_lower)) return false;
  return a < b;
}

std::string too_many(const std::string& where) {
  return where + ": more than" + str(kMaxFolderFiles) + " files; only the first" +
         str(kMaxFolderFiles) + " are listed";
}

}  // namespace

Result<FileList> file_list_make(const std::string& folder) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::directory_iterator entries(folder, error);
  if (error) return Error{folder + ": cannot be listed (" + error.message() + ")"};
  FileList list;
  for (; entries != fs::directory_iterator(); entries.increment(error)) {
    if (error) break;
    std::error_code type_error;
    if (!entries->is_regular_file(type_error)) continue;
    std::string name = entries->path().filename().string();
    if (is_fits_name(name)) list.names.push_back(std::move(name));
  }
  if (error) return Error{folder + ": cannot be listed (" + error.message() + ")"};
  std::sort(list.names.begin(), list.names.end(), before_ignoring_case);
  if (list.names.size() > std::size_t{kMaxFolderFiles}) {
    list.names.resize(kMaxFolderFiles);
    list.warning = too_many(folder);
  }
  return list;
}

void sort_by_character_codes(std::vector<std::string>& names) {
  // std::string compares as unsigned char: "A3.fit" < "B2.fit" < "a1.fit". Stable, so equal
  // names keep their order.
  std::stable_sort(names.begin(), names.end());
}

FileList file_list_take(std::string_view text) {
  FileList list;
  std::size_t lines = 0;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    if (line.find_first_not_of(" \t") != std::string_view::npos) {
      ++lines;
      if (list.names.size() < std::size_t{kMaxFolderFiles}) list.names.emplace_back(line);
    }
    if (end == std::string_view::npos) break;
    // CR LF is one line break; a lone CR or LF is one too.
    const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    text.remove_prefix(end + (crlf ? 2 : 1));
  }
  if (lines > std::size_t{kMaxFolderFiles}) list.warning = too_many("The list");
  return list;
}

std::string file_list_text(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) {
    text += name;
    text += "\r\n";
  }
  return text;
}

std::string path_in_folder(const std::string& folder, const std::string& name) {
  return (std::filesystem::path(folder) / name).string();
}

Result<std::vector<std::string>> folder_fits_paths(const std::string& folder) {
  Result<FileList> list = file_list_make(folder);
  if (!list) return Error{list.error()};
  if (!list->warning.empty()) {
    return Error{folder + ": more than" + str(kMaxFolderFiles) + " FITS files"};
  }
  sort_by_character_codes(list->names);
  std::vector<std::string> paths;
  for (const std::string& name : list->names) paths.push_back(path_in_folder(folder, name));
  return paths;
}

}  // namespace orvane::core
