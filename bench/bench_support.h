#pragma once

// What every benchmark of the program needs: a table printed line by line, times and medians,
// and a temporary folder that is removed again however the run ends.
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace orvane::bench {

inline void print(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

// The text filled with blanks to width, on the right or (left) in front.
inline std::string pad(std::string text, std::size_t width, bool left = false) {
  if (text.size() < width) text.insert(left ? 0 : text.size(), width - text.size(), ' ');
  return text;
}

template <typename F>
double elapsed_ms(F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

inline double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Runs run(folder) in a new folder under the system's temporary folder named prefix-XXXXXX,
// then removes it; the run's exit status.
template <typename Run>
int in_temporary_folder(const std::string& prefix, Run&& run) {
  std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    std::fputs("cannot make a temporary folder\n", stderr);
    return 1;
  }
  const int status = run(pattern);
  std::error_code ignored;
  std::filesystem::remove_all(pattern, ignored);
  return status;
}

}  // namespace orvane::bench
