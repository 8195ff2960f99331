// make_sample_night: writes a synthetic night of 16-bit FITS frames with a known light curve,
// for demos, tests and benchmarks.
//
//   make_sample_night [--frames N] [--size N] [--seed S] OUTDIR
//
// OUTDIR receives night_001.fit ..., truth.txt (V-C of the true fluxes per frame) and stars.txt
// (first-frame pixel positions of the comparison, variable and check stars). The same arguments
// always give byte-identical files.

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "sample_night/fits_file.h"
#include "sample_night/night_plan.h"
#include "sample_night/random.h"
#include "sample_night/scene.h"

namespace {

namespace night = orvane::sample_night;

constexpr std::string_view kUsage =
    "usage: make_sample_night [--frames N (1-3000, default 60)] [--size N (128-5501, default "
    "512)] [--seed S (default 20260314)] OUTDIR\n";

struct Options {
  int frames = 60;
  int size = 512;
  std::uint64_t seed = 20260314;
  std::string folder;
};

template <typename T>
bool parse_whole(std::string_view text, T& value) {
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

// Parses the arguments; on failure returns the problem to print above the usage line.
std::optional<std::string> parse_options(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    std::string_view value;
    bool has_value = false;
    if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
      value = arg.substr(eq + 1);
      arg = arg.substr(0, eq);
      has_value = true;
    }
    const bool takes_value = arg == "--frames" || arg == "--size" || arg == "--seed";
    if (takes_value && !has_value) {
      if (i + 1 >= argc) return std::string(arg) + " needs a value";
      value = argv[++i];
    }
    if (arg == "--frames") {
      if (!parse_whole(value, options.frames) || options.frames < 1 || options.frames > 3000) {
        return "--frames must be a whole number from 1 to 3000";
      }
    } else if (arg == "--size") {
      if (!parse_whole(value, options.size) || options.size < night::kMinSize ||
          options.size > night::kMaxSize) {
        return "--size must be a whole number from 128 to 5501";
      }
    } else if (arg == "--seed") {
      if (!parse_whole(value, options.seed)) return "--seed must be a whole number";
    } else if (arg.starts_with("-") && arg != "-") {
      return "unknown option " + std::string(arg);
    } else if (options.folder.empty()) {
      options.folder = std::string(arg);
    } else {
      return "only one OUTDIR may be given";
    }
  }
  if (options.folder.empty()) return std::string("OUTDIR is missing");
  return std::nullopt;
}

std::string whole(long long value) {
  char text[24];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

std::string fixed4(double value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 4);
  return std::string(text, result.ptr);
}

std::string frame_name(int index, int frames) {
  std::string number = whole(index + 1);
  const std::size_t width = frames > 999 ? 4 : 3;
  if (number.size() < width) number.insert(0, width - number.size(), '0');
  return "night_" + number + ".fit";
}

// Writes the whole file; on failure returns the message naming the path and the reason.
std::optional<std::string> write_file(const std::filesystem::path& path, const char* data,
                                      std::size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return "cannot create " + path.string() + ": " + std::strerror(errno);
  const bool written = std::fwrite(data, 1, size, file) == size;
  const int write_errno = errno;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    return "cannot write " + path.string() + ": " + std::strerror(written ? errno : write_errno);
  }
  return std::nullopt;
}

std::optional<std::string> write_text(const std::filesystem::path& path, const std::string& text) {
  return write_file(path, text.data(), text.size());
}

// Pixel nearest to a star's centre in the first frame.
std::string first_position(const night::Star& star) {
  const auto x = static_cast<long long>(std::floor(star.x + 0.5));
  const auto y = static_cast<long long>(std::floor(star.y + 0.5));
  return whole(x) + "," + whole(y);
}

std::string stars_text(const night::Scene& scene) {
  return "# first frame, pixel nearest each star's centre: x = column, y = row from 0\n"
         "comp " +
         first_position(scene.comp) + "\nvar " + first_position(scene.var) + "\ncheck " +
         first_position(scene.check) + "\n";
}

int run(const Options& options) {
  const std::filesystem::path folder(options.folder);
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error || !std::filesystem::is_directory(folder)) {
    const std::string reason = error ? error.message() : "not a folder";
    std::fprintf(stderr, "cannot create folder %s: %s\n", folder.c_str(), reason.c_str());
    return 1;
  }

  const night::Scene scene = night::make_scene(options.size, options.seed);
  const double check_flux = scene.check.flux;
  std::string truth =
      "# file  V-C = -2.511886432 log10(Fv/Fc) of the true fluxes at mid-exposure"
      " (C-K = " +
      fixed4(-night::kMagnitudeFactor * std::log10(scene.comp.flux / check_flux)) +
      " in every frame)\n";
  std::vector<double> work;
  std::vector<std::uint16_t> pixels;
  for (int i = 0; i < options.frames; ++i) {
    const night::FrameConditions conditions = night::frame_conditions(i, options.seed);
    night::render_frame(scene, conditions, night::stream_seed(options.seed, i), work, pixels);
    const night::FrameHeader header{
        options.size, options.size,  conditions.date, conditions.time, night::kExposureSeconds,
        "SAMPLE",     "02 48 55.51", "+69 38 03.4",   "+50 00 00",     "+10 00 00"};
    const std::vector<char> bytes = night::fits_bytes(header, pixels);
    const std::string name = frame_name(i, options.frames);
    if (auto failure = write_file(folder / name, bytes.data(), bytes.size())) {
      std::fprintf(stderr, "%s\n", failure->c_str());
      return 1;
    }
    const double ratio = night::var_flux(scene, conditions) / scene.comp.flux;
    truth += name + " " + fixed4(-night::kMagnitudeFactor * std::log10(ratio)) + "\n";
  }
  for (const auto& [name, text] :
       {std::pair{"truth.txt", truth}, std::pair{"stars.txt", stars_text(scene)}}) {
    if (auto failure = write_text(folder / name, text)) {
      std::fprintf(stderr, "%s\n", failure->c_str());
      return 1;
    }
  }
  const std::string summary =
      "make_sample_night: " + whole(options.frames) + " frames of " + whole(options.size) + " x " +
      whole(options.size) + " in " + folder.string() + " (" + night::frame_stamp(0) + " to " +
      night::frame_stamp(options.frames - 1) + " UT), truth.txt, stars.txt\n";
  std::fputs(summary.c_str(), stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--help") {
      std::fputs(kUsage.data(), stdout);
      return 0;
    }
  }
  Options options;
  if (auto problem = parse_options(argc, argv, options)) {
    std::fprintf(stderr, "make_sample_night: %s\n%s", problem->c_str(), kUsage.data());
    return 2;
  }
  return run(options);
}
