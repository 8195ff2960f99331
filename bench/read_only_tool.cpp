// read_only_tool [--two-frames] FOLDER: reads every FITS file of the folder with fits_read and
// does nothing else. The photometry benchmark runs it as the least a whole orvane-cli photometry
// process over the same files can cost: process start plus the reads into one frame. With
// --two-frames the files are read into two frames in turn, as a reader one frame ahead does,
// which shows what the second frame alone costs.
#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/fits_reader.h"
#include "core/folder_list.h"
#include "core/image_frame.h"

namespace core = orvane::core;

int main(int argc, char** argv) {
  const bool two_frames = argc == 3 && std::string(argv[1]) == "--two-frames";
  if (argc != 2 && !two_frames) {
    std::fputs("usage: read_only_tool [--two-frames] FOLDER\n", stderr);
    return 2;
  }
  const core::Result<std::vector<std::string>> paths = core::folder_fits_paths(argv[argc - 1]);
  if (!paths) {
    std::fputs((paths.error() + "\n").c_str(), stderr);
    return 1;
  }
  std::array<std::unique_ptr<core::ImageFrame>, 2> frames = {std::make_unique<core::ImageFrame>(),
                                                             std::make_unique<core::ImageFrame>()};
  int read = 0;
  for (std::size_t i = 0; i < paths->size(); ++i) {
    core::ImageFrame& frame = *frames[two_frames ? i % 2 : 0];
    const core::Result<core::ReadReport> report = core::fits_read(frame, (*paths)[i]);
    if (!report) {
      std::fputs((report.error() + "\n").c_str(), stderr);
      continue;
    }
    ++read;
  }
  std::fputs(("read " + std::to_string(read) + "\n").c_str(), stdout);
  return read == static_cast<int>(paths->size()) ? 0 : 1;
}
