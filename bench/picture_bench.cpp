// orvane-cli render to PNG against orvane-cli save of the same 4096 x 4096 frame, as whole
// processes (tool start, reading and, for render, loading the picture module included):
//   cmake --build build/release --target run_picture_bench
// The frame: BITPIX 16, a sky of 1000 with Gaussian noise of 20 and a grid of stars, made here
// in a temporary folder. Target: render -o X.png within 3 x save -o X.fit. The render's picture
// holds only grey, so it is written as 8-bit grey at zlib's fastest level.
// Each command runs once to warm up, then kRepetitions times in turn; the figures are medians.
// A missed target prints FAIL, but the exit status is 0: this is a measurement, not a test.
// Setup failures (a command that fails) exit 1.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench_support.h"
#include "core/fits_writer.h"
#include "core/image_frame.h"
#include "core/number_text.h"

extern char** environ;

namespace {

using orvane::bench::elapsed_ms;
using orvane::bench::median;
using orvane::bench::pad;
using orvane::bench::print;

namespace core = orvane::core;
namespace fs = std::filesystem;

constexpr int kRepetitions = 7;
constexpr int kSide = 4096;

std::string make_frame(const fs::path& folder) {
  auto frame = std::make_unique<core::ImageFrame>();
  frame->width = frame->height = kSide;
  const char* cards[] = {"SIMPLE  =                    T", "BITPIX  =                   16",
                         "NAXIS   =                    2", "NAXIS1  =                 4096",
                         "NAXIS2  =                 4096", "END"};
  for (int i = 1; i <= 36; ++i) frame->header_cards[i] = std::string(80, ' ');
  for (int i = 0; i < 6; ++i)
    frame->header_cards[i + 1].replace(0, std::strlen(cards[i]), cards[i]);
  frame->header_card_count = 36;
  std::mt19937 rng(20240613);
  std::normal_distribution<float> noise(0.0f, 20.0f);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const double dx = x % 128 - 64.0, dy = y % 128 - 64.0;
      const double star = 30000 * std::exp(-(dx * dx + dy * dy) / 4.5);
      frame->pixels.at(x, y) = std::int32_t(1000 + noise(rng) + star);
    }
  }
  const std::string path = (folder / "frame_4096.fit").string();
  if (!core::fits_write(*frame, path, 16)) return {};
  return path;
}

// Runs argv as a process with stdout to /dev/null; false when it did not exit with 0.
bool run(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (spawned != 0 || ::waitpid(pid, &status, 0) != pid) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string megabytes(const std::string& path) {
  return core::format(double(fs::file_size(path)) / 1e6, "0.0") + " MB";
}

int bench(const std::string& folder) {
  const std::string frame = make_frame(folder);
  if (frame.empty()) return 1;
  const std::string png = folder + "/render.png", fit = folder + "/save.fit";
  const std::vector<std::string> render = {ORVANE_CLI_PATH, "render", frame, "-o", png};
  const std::vector<std::string> save = {ORVANE_CLI_PATH, "save", frame, "-o", fit};
  if (!run(render) || !run(save)) {
    print("setup failed: orvane-cli render or save did not succeed");
    return 1;
  }
  std::vector<double> render_ms, save_ms;
  for (int i = 0; i < kRepetitions; ++i) {
    render_ms.push_back(elapsed_ms([&] { run(render); }));
    save_ms.push_back(elapsed_ms([&] { run(save); }));
  }
  const double ours = median(render_ms), reference = median(save_ms), ratio = ours / reference;
  print(pad("command", 34) + pad("median", 11, true) + pad("file", 11, true));
  print(pad("orvane-cli render -o X.png", 34) + pad(core::format(ours, "0") + " ms", 11, true) +
        pad(megabytes(png), 11, true));
  print(pad("orvane-cli save -o X.fit", 34) + pad(core::format(reference, "0") + " ms", 11, true) +
        pad(megabytes(fit), 11, true));
  print("render / save " + core::format(ratio, "0.00") + ", target <= 3.00" +
        (ratio <= 3 ? "  PASS" : "  FAIL"));
  return 0;
}

}  // namespace

int main() {
  print("Orvane picture benchmark (" + std::string(ORVANE_BENCH_CONFIG) + " build, " +
        core::str_trimmed(kSide) + " x " + core::str_trimmed(kSide) + ", medians of " +
        core::str_trimmed(kRepetitions) + " runs)");
  if (std::string(ORVANE_BENCH_CONFIG) != "Release") {
    print("warning: not a Release build, the figures mean little");
  }
  return orvane::bench::in_temporary_folder("orvane-picture-bench", bench);
}
