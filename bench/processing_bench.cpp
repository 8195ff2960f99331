// Continuous dark and flat and auto composite on a night of 100 frames, against fixed peers:
//   cmake --build build/release --target run_processing_bench
// 1. One continuous dark pass over 100 frames of 1024 x 1024, BITPIX 16 (BZERO 32768), each
//    rewritten in place, against a cfitsio peer that reads each file, subtracts the same dark,
//    writes a temporary file beside it, syncs it (as our writer syncs a file it replaces) and
//    renames it over the original. Target: ours / peer <= 1.0.
// 2. The same for one continuous flat pass.
// 3. Auto composite of 7 pictures over the 100 frames (94 composites into an empty folder)
//    against one fits_read of every file. Target: <= 1.5. The run reads each file once (the
//    bytes it reads are counted). For the record, also the least that writing 94 new files of
//    that size costs here (plain write + rename), which alone can be several times the reads.
// The inputs are in the page cache; before each timed run the files are put back as they were
// and everything dirty is written out, so no run pays for another's writes. Figures are medians
// of kRepetitions runs, ours and the peer's taken alternately. A missed target prints FAIL, but
// the exit status is 0: this is a measurement, not a test. Setup failures exit 1.

#include <fcntl.h>
#include <fitsio.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench_support.h"
#include "core/cli_user_interface.h"
#include "core/fits_reader.h"
#include "core/image_frame.h"
#include "core/number_text.h"
#include "processing/auto_composite.h"
#include "processing/continuous_calibration.h"

namespace {

using orvane::bench::elapsed_ms;
using orvane::bench::median;
using orvane::bench::pad;
using orvane::bench::print;

namespace core = orvane::core;
namespace processing = orvane::processing;
namespace fs = std::filesystem;

constexpr int kRepetitions = 5;
constexpr int kFrames = 100;
constexpr int kSide = 1024;
constexpr long long kCount = static_cast<long long>(kSide) * kSide;

// Messages go to stderr (there should be none); no progress lines. Built on the command-line
// implementation so that it answers everything the interface asks.
class QuietUserInterface : public core::CliUserInterface {
 public:
  QuietUserInterface() : CliUserInterface("", stdout, stderr, std::nullopt, {}) {}
  bool progress(std::string_view, std::string_view, core::ProgressCount) override { return true; }
};

void print_row(const std::string& name, double ours, double peer, double target) {
  const double ratio = ours / peer;
  print(pad(name, 44) + pad(core::format(ours, "0") + " ms", 10, true) +
        pad(core::format(peer, "0") + " ms", 10, true) + pad(core::format(ratio, "0.00"), 8, true) +
        pad("<= " + core::format(target, "0.0"), 10, true) +
        (ratio <= target ? "  PASS" : "  FAIL"));
}

std::string fits_error(const std::string& path, int status) {
  char text[FLEN_STATUS] = {};
  fits_get_errstatus(status, text);
  return path + ": cfitsio error " + core::str_trimmed(status) + " (" + text + ")";
}

// A 16-bit camera file (BITPIX 16, BZERO 32768) written by cfitsio.
bool write_u16(const std::string& path, const std::vector<std::uint16_t>& values) {
  fitsfile* file = nullptr;
  int status = 0;
  long axes[2] = {kSide, kSide};
  const std::string name = "!" + path;
  fits_create_file(&file, name.c_str(), &status);
  fits_create_img(file, USHORT_IMG, 2, axes, &status);
  fits_write_img(file, TUSHORT, 1, kCount, const_cast<std::uint16_t*>(values.data()), &status);
  int close_status = 0;
  if (file != nullptr) fits_close_file(file, &close_status);
  if (status == 0) status = close_status;
  if (status != 0) print(fits_error(path, status));
  return status == 0;
}

std::string read_all(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The night: sky about 1000 with noise and a few hundred stars, plus a dark (about 100) and a
// flat (about 30000, falling off by a fifth towards the corners).
struct Night {
  fs::path folder;
  std::vector<std::string> frames;
  std::vector<std::string> pristine;  // the frames' bytes as made
  std::string dark, flat;
};

std::vector<std::uint16_t> sky_frame(std::mt19937& rng, const std::vector<float>& stars) {
  std::normal_distribution<float> noise(0.0f, 25.0f);
  std::vector<std::uint16_t> v(kCount);
  for (long long i = 0; i < kCount; ++i) {
    v[i] =
        std::uint16_t(std::clamp(std::nearbyint(1000.0f + noise(rng) + stars[i]), 0.0f, 60000.0f));
  }
  return v;
}

bool make_night(Night& night) {
  std::mt19937 rng(20240612);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::vector<float> stars(kCount, 0.0f);
  for (int s = 0; s < 300; ++s) {
    const double cx = unit(rng) * kSide, cy = unit(rng) * kSide, peak = 200 + 30000 * unit(rng);
    for (int y = std::max(int(cy) - 6, 0); y <= std::min(int(cy) + 6, kSide - 1); ++y) {
      for (int x = std::max(int(cx) - 6, 0); x <= std::min(int(cx) + 6, kSide - 1); ++x) {
        const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
        stars[std::size_t(y) * kSide + x] += float(peak * std::exp(-d2 / 4.5));
      }
    }
  }
  fs::create_directories(night.folder / "frames");
  for (int i = 0; i < kFrames; ++i) {
    const std::string path =
        (night.folder / "frames" / ("f" + std::to_string(1000 + i) + ".fit")).string();
    if (!write_u16(path, sky_frame(rng, stars))) return false;
    night.frames.push_back(path);
    night.pristine.push_back(read_all(path));
  }
  std::vector<std::uint16_t> dark(kCount), flat(kCount);
  std::normal_distribution<float> noise(0.0f, 5.0f);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const double r2 =
          (std::pow(x - kSide / 2.0, 2) + std::pow(y - kSide / 2.0, 2)) / (kSide * kSide / 2.0);
      dark[std::size_t(y) * kSide + x] = std::uint16_t(100 + std::max(noise(rng), -90.0f));
      flat[std::size_t(y) * kSide + x] = std::uint16_t(30000 * (1 - 0.2 * r2) + noise(rng));
    }
  }
  night.dark = (night.folder / "dark.fit").string();
  night.flat = (night.folder / "flat.fit").string();
  return write_u16(night.dark, dark) && write_u16(night.flat, flat);
}

// The frames as made, and nothing dirty left for the next run to write.
void restore(const Night& night) {
  for (int i = 0; i < kFrames; ++i) {
    std::ofstream out(night.frames[i], std::ios::binary | std::ios::trunc);
    out.write(night.pristine[i].data(), std::streamsize(night.pristine[i].size()));
  }
  ::sync();
}

// The peer's pass: cfitsio reads each file as ints, the correction is applied, cfitsio writes a
// temporary file beside it with the same header (BITPIX 16, BZERO 32768), the file is synced and
// renamed over the original.
bool peer_pass(const Night& night, bool dark) {
  std::vector<int> reference(kCount), pixels(kCount);
  int status = 0, any_null = 0;
  fitsfile* ref = nullptr;
  fits_open_file(&ref, (dark ? night.dark : night.flat).c_str(), READONLY, &status);
  fits_read_img(ref, TINT, 1, kCount, nullptr, reference.data(), &any_null, &status);
  fits_close_file(ref, &status);
  if (status != 0) return false;
  double level = 0;
  if (!dark) {
    for (int& v : reference) level += std::max(v, 0);
    level /= double(kCount);
    for (int& v : reference) v = std::max(v, 1);
  }
  for (const std::string& path : night.frames) {
    fitsfile *in = nullptr, *out = nullptr;
    fits_open_file(&in, path.c_str(), READONLY, &status);
    fits_read_img(in, TINT, 1, kCount, nullptr, pixels.data(), &any_null, &status);
    for (long long i = 0; i < kCount; ++i) {
      pixels[i] = dark ? std::max(pixels[i] - reference[i], 0)
                       : std::max(int(std::nearbyint(pixels[i] * level / reference[i])), 0);
    }
    const std::string temp = path + ".peer";
    fits_create_file(&out, ("!" + temp).c_str(), &status);
    fits_copy_header(in, out, &status);
    fits_write_img(out, TINT, 1, kCount, pixels.data(), &status);
    fits_close_file(out, &status);
    fits_close_file(in, &status);
    if (status != 0) return false;
    const int fd = ::open(temp.c_str(), O_RDONLY);
    const bool synced = fd >= 0 && ::fdatasync(fd) == 0;
    if (fd >= 0) ::close(fd);
    if (!synced || std::rename(temp.c_str(), path.c_str()) != 0) return false;
  }
  return true;
}

bool bench_calibration(const Night& night, core::ImageFrame& frame, bool dark) {
  std::vector<double> ours, peer;
  bool ok = true;
  for (int i = 0; i < kRepetitions; ++i) {
    restore(night);
    QuietUserInterface ui;
    ours.push_back(elapsed_ms([&] {
      const processing::BatchOutcome outcome =
          dark ? processing::continuous_dark(core::read_options_of(frame), night.dark, night.frames,
                                             ui)
               : processing::continuous_flat(core::read_options_of(frame), night.flat, night.frames,
                                             ui);
      ok &= outcome.end == processing::BatchEnd::kCompleted && outcome.done == kFrames;
    }));
    restore(night);
    peer.push_back(elapsed_ms([&] { ok &= peer_pass(night, dark); }));
  }
  if (!ok) {
    print(std::string("a continuous ") + (dark ? "dark" : "flat") + " pass failed");
    return false;
  }
  print_row(std::string("continuous ") + (dark ? "dark" : "flat") + ", 100 x 1024^2 in place",
            median(ours), median(peer), 1.0);
  return true;
}

// Bytes this process has read through read calls so far (/proc/self/io "rchar").
double bytes_read_so_far() {
  std::ifstream in("/proc/self/io");
  std::string word;
  while (in >> word) {
    if (word == "rchar:") {
      double bytes = 0;
      in >> bytes;
      return bytes;
    }
  }
  return -1;
}

// What writing the composites costs at least: the same number of new files of the same size,
// each written with one write call and renamed, as plainly as it can be done.
double plain_writes_ms(const Night& night, const std::string& folder) {
  fs::remove_all(folder);
  fs::create_directory(folder);
  ::sync();
  const std::string& bytes = night.pristine.front();
  return elapsed_ms([&] {
    for (int i = 0; i < kFrames - 6; ++i) {
      const std::string path = folder + "/w" + std::to_string(i) + ".fit";
      const int fd = ::open((path + ".tmp").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (fd < 0) continue;
      [[maybe_unused]] const ssize_t written = ::write(fd, bytes.data(), bytes.size());
      ::close(fd);
      std::rename((path + ".tmp").c_str(), path.c_str());
    }
  });
}

bool bench_composite(const Night& night, core::ImageFrame& frame) {
  restore(night);
  const std::string out = (night.folder / "composites").string();
  std::vector<double> ours, replacing, reads, floor;
  bool ok = true;
  double read_ratio = 0;
  const auto compose = [&] {
    QuietUserInterface ui;
    const processing::BatchOutcome outcome =
        processing::auto_composite(core::read_options_of(frame), night.frames, 7, out, ui);
    ok &= outcome.end == processing::BatchEnd::kCompleted && outcome.done == kFrames - 6;
  };
  for (int i = 0; i < kRepetitions; ++i) {
    fs::remove_all(out);
    fs::create_directory(out);
    ::sync();
    const double before = bytes_read_so_far();
    ours.push_back(elapsed_ms(compose));
    read_ratio =
        (bytes_read_so_far() - before) / (double(kFrames) * double(night.pristine.front().size()));
    ::sync();
    replacing.push_back(elapsed_ms(compose));  // the outputs of the run before are replaced
    reads.push_back(elapsed_ms([&] {
      for (const std::string& path : night.frames) ok &= core::fits_read(frame, path).ok();
    }));
    floor.push_back(plain_writes_ms(night, (night.folder / "plain").string()));
  }
  if (!ok) {
    print("a composite run failed");
    return false;
  }
  print_row("composite -n 7, 94 new files / fits_read x 100", median(ours), median(reads), 1.5);
  print(pad("  the same run replacing its earlier outputs", 44) +
        pad(core::format(median(replacing), "0") + " ms", 10, true) +
        "   (each replaced file is synced first)");
  print(pad("  94 plain write + rename of the same size", 44) +
        pad(core::format(median(floor), "0") + " ms", 10, true) +
        "   (the least the writes can cost)");
  print("  composite / (fits_read x 100 + plain writes): " +
        core::format(median(ours) / (median(reads) + median(floor)), "0.00"));
  print("  bytes read by the composite run / bytes of the 100 files: " +
        core::format(read_ratio, "0.00") +
        " (each file read once; the header read takes a little more)");
  return true;
}

int run(const fs::path& folder) {
  print("Orvane processing benchmark (" + std::string(ORVANE_BENCH_CONFIG) + " build, medians of " +
        core::str_trimmed(kRepetitions) + " runs, files in " + folder.string() + ")");
  if (std::string(ORVANE_BENCH_CONFIG) != "Release")
    print("warning: not a Release build, the figures mean little");
  Night night;
  night.folder = folder;
  if (!make_night(night)) return 1;
  auto frame = std::make_unique<core::ImageFrame>();
  // Warm-up: every file read once by each side, so both find them in the page cache.
  for (const std::string& path : night.frames) {
    if (!core::fits_read(*frame, path).ok()) return 1;
  }
  print(pad("measurement", 44) + pad("ours", 10, true) + pad("peer", 10, true) +
        pad("ratio", 8, true) + pad("target", 10, true) + "  result");
  if (!bench_calibration(night, *frame, true)) return 1;
  if (!bench_calibration(night, *frame, false)) return 1;
  if (!bench_composite(night, *frame)) return 1;
  return 0;
}

}  // namespace

int main() {
  return orvane::bench::in_temporary_folder("orvane-processing-bench",
                                            [](const std::string& folder) { return run(folder); });
}
