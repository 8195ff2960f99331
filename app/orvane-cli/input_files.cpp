#include "input_files.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "cli_support.h"
#include "core/cli_user_interface.h"
#include "core/folder_list.h"

namespace orvane::cli {

core::Result<std::vector<std::string>> input_files(const ParsedArgs& args) {
  const std::vector<std::string>& given = args.positional;
  if (given.empty()) throw UsageError{"missing FILE or FOLDER"};
  struct stat status {};
  for (const std::string& path : given) {
    if (::stat(path.c_str(), &status) != 0) {
      return core::Error{path + ": cannot be opened (" + std::strerror(errno) + ")"};
    }
  }
  // With one argument, status is that argument's.
  if (given.size() > 1 || !S_ISDIR(status.st_mode)) return given;
  const std::string& folder = given.front();
  core::Result<std::vector<std::string>> paths = core::folder_fits_paths(folder);
  if (!paths) return core::Error{core::CliUserInterface::one_line(paths.error())};
  if (paths->empty()) {
    return core::Error{folder +
                       ": no FITS file in the folder (names ending in .fit, .fts or .fits)"};
  }
  return paths;
}

}  // namespace orvane::cli
