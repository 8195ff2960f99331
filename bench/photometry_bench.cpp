// orvane-cli photometry over a night of 200 frames, as whole processes, against fixed peers:
//   cmake --build build/release --target run_photometry_bench
// The night: 200 frames of 1024 x 1024, BITPIX 16 with BZERO 32768, three Gaussian stars on a
// noisy sky that drift by a pixel or two, made here in a temporary folder. Each command runs as
// its own process, interpreter or program start included, with the frames in the page cache:
//   ours       orvane-cli photometry FOLDER --comp --var --check -o FILE (default settings)
//   peer       photometry_peer.py, the same job with astropy + photutils (Debian's python3)
//   read only  read_only_tool FOLDER: fits_read of the 200 files in one process, nothing else
// Targets: ours at least 2x the peer's frames per second; ours at most 1.2x the read-only time.
// The indented rows help read the figures: python3 starting with the peer's imports, orvane-cli
// starting alone, and the read-only tool reading into two frames in turn, as the command's
// reader one frame ahead does. cpu close to wall for ours means its two threads did not run side
// by side (the other core was busy).
// Every command runs once to warm up, then kRepetitions times in turn; the figures are medians.
// A missed target prints FAIL, but the exit status is 0: this is a measurement, not a test.
// Setup failures (a command that fails, records missing) exit 1.

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "bench_support.h"
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
constexpr int kFrames = 200;
constexpr int kSide = 1024;

struct Star {
  double x, y, flux;
};
// Comparison, variable (its flux is varied per frame) and check star; sigma 1.5 pixels.
constexpr Star kStars[] = {{300.3, 620.6, 40000}, {640.7, 380.2, 25000}, {720.4, 730.5, 15000}};
constexpr double kSigma = 1.5;
constexpr double kSky = 1000;

std::string card(const std::string& text) {
  return (text + std::string(80, ' ')).substr(0, 80);
}

// "KEYWORD = value" with the value right-aligned to column 30.
std::string value_card(const std::string& keyword, const std::string& value) {
  return card(pad(keyword, 8) + "= " + pad(value, 20, true));
}

std::string two_digits(int n) {
  return core::format(n, "00");
}

// The header of frame i: exposures of 60 s every 120 s from 22:00:00.
std::string header(int i) {
  const int seconds = 22 * 3600 + 120 * i;
  const std::string time = two_digits(seconds / 3600 % 24) + ":" + two_digits(seconds / 60 % 60) +
                           ":" + two_digits(seconds % 60);
  std::string h = card("SIMPLE  =                    T") + card("BITPIX  =                   16") +
                  card("NAXIS   =                    2") +
                  value_card("NAXIS1", std::to_string(kSide)) +
                  value_card("NAXIS2", std::to_string(kSide)) + value_card("BZERO", "32768") +
                  value_card("BSCALE", "1") + card("DATE-OBS= '2026-03-14'") +
                  card("UT      = '" + time + "'") + value_card("EXPTIME", "60") + card("END");
  h.resize(2880, ' ');
  return h;
}

// Sky with Gaussian noise of sigma 20 (one table, read from a different place in each frame)
// and the three stars, moved by the frame's drift.
std::string frame_bytes(int i, const std::vector<float>& noise, std::mt19937& rng) {
  std::vector<float> v(std::size_t{kSide} * kSide);
  const std::size_t start = std::uniform_int_distribution<std::size_t>(0, noise.size() - 1)(rng);
  for (std::size_t p = 0; p < v.size(); ++p) v[p] = float(kSky + noise[(start + p) % noise.size()]);
  const double dx = 1.5 * std::sin(i / 40.0), dy = -1.0 * std::sin(i / 55.0);
  for (int s = 0; s < 3; ++s) {
    const double flux = kStars[s].flux * (s == 1 ? 1 + 0.3 * std::sin(i / 25.0) : 1);
    const double cx = kStars[s].x + dx, cy = kStars[s].y + dy;
    for (int y = int(cy) - 8; y <= int(cy) + 8; ++y)
      for (int x = int(cx) - 8; x <= int(cx) + 8; ++x) {
        const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
        v[std::size_t(y) * kSide + x] +=
            float(flux / (2 * M_PI * kSigma * kSigma) * std::exp(-d2 / (2 * kSigma * kSigma)));
      }
  }
  std::string bytes = header(i);
  bytes.reserve(bytes.size() + 2 * v.size() + 2880);
  for (float value : v) {
    const auto stored = static_cast<std::uint16_t>(
        static_cast<int>(std::clamp(std::nearbyint(value), 0.0f, 65535.0f)) - 32768);
    bytes.push_back(static_cast<char>(stored >> 8));
    bytes.push_back(static_cast<char>(stored & 0xFF));
  }
  bytes.resize((bytes.size() + 2879) / 2880 * 2880, '\0');
  return bytes;
}

bool make_night(const fs::path& folder) {
  fs::create_directories(folder);
  std::mt19937 rng(20260314);
  std::normal_distribution<float> gauss(0.0f, 20.0f);
  std::vector<float> noise(3 * 1024 * 1024 + 17);
  for (float& n : noise) n = gauss(rng);
  for (int i = 0; i < kFrames; ++i) {
    const std::string name = "frame_" + core::format(i + 1, "000") + ".fit";
    std::ofstream out(folder / name, std::ios::binary);
    const std::string bytes = frame_bytes(i, noise, rng);
    if (!out.write(bytes.data(), std::streamsize(bytes.size()))) return false;
  }
  return true;
}

std::string position(const Star& s) {
  return std::to_string(int(s.x)) + "," + std::to_string(int(s.y));
}

struct Timing {
  double wall_ms = 0;
  double cpu_ms = 0;  // user + system of the process and its threads
  double max_rss_mb = 0;
  bool ok = false;
};

// Runs argv as a process with stdout to /dev/null and waits for it.
Timing timed(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  Timing t;
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return t;
  int status = 0;
  rusage usage{};
  ::wait4(pid, &status, 0, &usage);
  t.wall_ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  const auto ms = [](timeval v) { return double(v.tv_sec) * 1000.0 + double(v.tv_usec) / 1000.0; };
  t.cpu_ms = ms(usage.ru_utime) + ms(usage.ru_stime);
  t.max_rss_mb = double(usage.ru_maxrss) / 1024.0;
  t.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return t;
}

struct Command {
  Command(std::string n, std::vector<std::string> a, bool frames = true)
      : name(std::move(n)), argv(std::move(a)), reads_frames(frames) {}
  std::string name;
  std::vector<std::string> argv;
  bool reads_frames;                   // false for the rows that only start a program
  std::vector<double> wall, cpu, rss;  // one figure per timed run
};

std::vector<std::string> lines_of(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

double field(const std::string& line, const std::string& key) {
  const auto at = line.find(key);
  return at == std::string::npos ? NAN : core::val(std::string_view(line).substr(at + key.size()));
}

// Both outputs have a line per frame; their V-C should agree closely (different aperture edges).
bool same_job(const fs::path& ours, const fs::path& peer) {
  const auto a = lines_of(ours), b = lines_of(peer);
  if (a.size() != kFrames || b.size() != kFrames) {
    print("records: ours " + std::to_string(a.size()) + ", peer " + std::to_string(b.size()) +
          ", expected " + std::to_string(kFrames) + " each");
    return false;
  }
  double squares = 0;
  for (int i = 0; i < kFrames; ++i) {
    const double d =
        (field(a[i], "Var=") - field(a[i], "Comp=")) - (field(b[i], "Var=") - field(b[i], "Comp="));
    squares += d * d;
  }
  print("records: 200 each; V-C of ours against the peer's: RMS difference " +
        core::format(std::sqrt(squares / kFrames), "0.0000") + " mag");
  return true;
}

void print_row(const Command& c) {
  const double wall = median(c.wall);
  print(pad(c.name, 34) + pad(core::format(wall, "0") + " ms", 10, true) +
        pad(c.reads_frames ? core::format(kFrames / (wall / 1000), "0") : "-", 10, true) +
        pad(core::format(median(c.cpu), "0") + " ms", 10, true) +
        pad(core::format(median(c.rss), "0") + " MB", 9, true));
}

void print_target(const std::string& name, double value, double target, bool at_least) {
  const bool pass = at_least ? value >= target : value <= target;
  print(pad(name, 44) + pad(core::format(value, "0.00"), 7, true) +
        pad((at_least ? ">= " : "<= ") + core::format(target, "0.0"), 9, true) +
        (pass ? "  PASS" : "  FAIL"));
}

// Ours, the peer, the read-only tool, then the rows that help read the figures.
std::vector<Command> commands_for(const fs::path& folder, const fs::path& frames) {
  const std::vector<std::string> stars = {
      "--comp", position(kStars[0]), "--var", position(kStars[1]), "--check", position(kStars[2])};
  std::vector<Command> commands = {
      {"orvane-cli photometry", {ORVANE_CLI_PATH, "photometry", frames.string()}},
      {"peer: astropy + photutils", {PYTHON_PATH, PHOTOMETRY_PEER_PATH, frames.string()}},
      {"read-only tool (fits_read x 200)", {READ_ONLY_TOOL_PATH, frames.string()}},
      {"  python3 with the peer's imports",
       {PYTHON_PATH, "-c", "import numpy, astropy.io.fits, photutils.aperture"},
       false},
      {"  orvane-cli start (--version)", {ORVANE_CLI_PATH, "--version"}, false},
      {"  read-only tool, two frames in turn",
       {READ_ONLY_TOOL_PATH, "--two-frames", frames.string()}},
  };
  for (int c = 0; c < 2; ++c)
    commands[c].argv.insert(commands[c].argv.end(), stars.begin(), stars.end());
  commands[0].argv.insert(commands[0].argv.end(), {"-o", (folder / "mag_est.txt").string()});
  commands[1].argv.insert(commands[1].argv.end(), {"-o", (folder / "peer.txt").string()});
  return commands;
}

// One run of each: files, programs and the interpreter's modules come into the cache.
bool warm_up(const std::vector<Command>& commands) {
  for (const Command& c : commands) {
    if (!timed(c.argv).ok) {
      print(c.name + " failed");
      return false;
    }
  }
  return true;
}

bool time_in_turn(std::vector<Command>& commands) {
  for (int r = 0; r < kRepetitions; ++r) {
    for (std::size_t k = 0; k < commands.size(); ++k) {
      Command& c = commands[(k + r) % commands.size()];  // a different one first each round
      const Timing t = timed(c.argv);
      if (!t.ok) {
        print(c.name + " failed");
        return false;
      }
      c.wall.push_back(t.wall_ms);
      c.cpu.push_back(t.cpu_ms);
      c.rss.push_back(t.max_rss_mb);
    }
  }
  return true;
}

int run(const fs::path& folder) {
  print("Orvane photometry benchmark (" + std::string(ORVANE_BENCH_CONFIG) + " build, " +
        std::to_string(kFrames) + " frames of " + std::to_string(kSide) + " x " +
        std::to_string(kSide) + " BITPIX 16, medians of " + std::to_string(kRepetitions) +
        " runs, files in " + folder.string() + ")");
  if (std::string(ORVANE_BENCH_CONFIG) != "Release")
    print("warning: not a Release build, the figures mean little");
  const fs::path frames = folder / "frames";
  if (!make_night(frames)) {
    print("cannot write the frames");
    return 1;
  }
  std::vector<Command> commands = commands_for(folder, frames);
  if (!warm_up(commands) || !same_job(folder / "mag_est.txt", folder / "peer.txt")) return 1;
  if (!time_in_turn(commands)) return 1;
  print(pad("command (whole process)", 34) + pad("wall", 10, true) + pad("frames/s", 10, true) +
        pad("cpu", 10, true) + pad("max RSS", 9, true));
  for (const Command& c : commands) print_row(c);
  const double ours = median(commands[0].wall);
  print_target("ours frames/s / peer frames/s", median(commands[1].wall) / ours, 2.0, true);
  print_target("ours time / read-only time", ours / median(commands[2].wall), 1.2, false);
  return 0;
}

}  // namespace

int main() {
  return orvane::bench::in_temporary_folder("orvane-photometry-bench",
                                            [](const std::string& folder) { return run(folder); });
}
