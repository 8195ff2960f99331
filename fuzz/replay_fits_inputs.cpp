// replay_fits_inputs: runs files through the fuzzer's checks without the fuzzer, so the seed
// files and every input that once broke the reader are read again by each test run.
//
//   replay_fits_inputs FILE_OR_FOLDER...
// Folders are read file by file in name order. Fails when an argument holds no file.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fits_read_check.h"

namespace {

std::vector<std::filesystem::path> files_of(const std::filesystem::path& argument) {
  if (!std::filesystem::is_directory(argument)) return {argument};
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(argument)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  orvane::fuzz::FitsReadChecker checker;
  for (int i = 1; i < argc; ++i) {
    const std::vector<std::filesystem::path> files = files_of(argv[i]);
    if (files.empty()) {
      std::fprintf(stderr, "%s: no input files\n", argv[i]);
      return 1;
    }
    for (const std::filesystem::path& file : files) {
      std::ifstream in(file, std::ios::binary);
      if (!in) {
        std::fprintf(stderr, "%s: cannot be read\n", file.c_str());
        return 1;
      }
      const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                            std::istreambuf_iterator<char>()};
      const std::string refusal = checker.check(bytes);
      std::printf("%s: %s\n", file.c_str(), refusal.empty() ? "read" : refusal.c_str());
    }
  }
  return argc > 1 ? 0 : 2;
}
