#include "cli_commands.h"

#include <functional>
#include <map>
#include <memory>

#include "cli_args.h"
#include "core/cli_user_interface.h"
#include "core/fits_reader.h"
#include "core/fits_writer.h"
#include "core/image_frame.h"
#include "core/number_text.h"
#include "display/auto_contrast.h"
#include "display/contrast_steps.h"
#include "display/render.h"
#include "display/rotation.h"
#include "picture_output.h"

namespace orvane::cli {
namespace {

constexpr const char* kReadOptionsUsage = "[--signed] [--dusky] [--read-add V | --read-mul V]";

struct Command {
  std::string usage;  // after "orvane-cli "
  std::vector<OptionSpec> options;
  std::function<int(const ParsedArgs&, const Streams&)> run;
};

void print(std::FILE* stream, const std::string& line) {
  std::fputs(line.c_str(), stream);
  std::fputc('\n', stream);
}

// Thrown for wrong usage; turned into exit status 2 with the usage line.
struct UsageError {
  std::string problem;
};

std::vector<OptionSpec> with_read_options(std::vector<OptionSpec> options) {
  options.push_back({"--signed", false});
  options.push_back({"--dusky", false});
  options.push_back({"--read-add", true});
  options.push_back({"--read-mul", true});
  return options;
}

const std::string& single_file(const ParsedArgs& args) {
  if (args.positional.empty()) throw UsageError{"missing FILE"};
  if (args.positional.size() > 1) throw UsageError{"unexpected argument " + args.positional[1]};
  return args.positional.front();
}

std::string required(const ParsedArgs& args, const std::string& name) {
  auto value = args.value(name);
  if (!value) throw UsageError{"missing required option " + name};
  return *value;
}

int choice(const ParsedArgs& args, const std::string& name, std::vector<int> allowed,
           int fallback) {
  auto value = args.value(name);
  if (!value) return fallback;
  for (int a : allowed) {
    if (*value == std::to_string(a)) return a;
  }
  throw UsageError{"invalid value for " + name + ": " + *value};
}

void apply_read_options(const ParsedArgs& args, core::ImageFrame& frame) {
  if (args.has("--read-add") && args.has("--read-mul")) {
    throw UsageError{"--read-add and --read-mul cannot be used together"};
  }
  frame.sign_mode = args.has("--signed") ? -1 : 1;
  frame.dusky_mode = args.has("--dusky");
  if (auto add = args.value("--read-add")) {
    frame.read_calc_mode = 0;
    frame.read_calc_operand = core::val(*add);
  } else if (auto mul = args.value("--read-mul")) {
    frame.read_calc_mode = 1;
    frame.read_calc_operand = core::val(*mul);
  }
}

// Reads the file into the frame; prints the reader's message and returns false when refused.
bool read_frame(const ParsedArgs& args, const std::string& path, core::ImageFrame& frame,
                const Streams& io) {
  apply_read_options(args, frame);
  auto report = core::fits_read(frame, path);
  core::CliUserInterface ui(io.err);
  if (!report) {
    ui.message(report.error());
    return false;
  }
  if (!report->warning.empty()) ui.message(report->warning);
  return true;
}

int written_bitpix(const ParsedArgs& args, const core::ImageFrame& frame) {
  return choice(args, "--bitpix", {8, 16, 32}, frame.bitpix);
}

int write_frame(const core::ImageFrame& frame, const std::string& out, int bitpix,
                const Streams& io) {
  auto written = core::fits_write(frame, out, bitpix);
  core::CliUserInterface ui(io.err);
  if (!written) {
    ui.message(written.error());
    return kExitFailed;
  }
  if (auto clipped = core::clip_message(out, *written); !clipped.empty()) ui.message(clipped);
  return kExitDone;
}

int run_info(const ParsedArgs& args, const Streams& io) {
  const std::string& path = single_file(args);
  std::vector<PixelPosition> pixels;
  for (const auto& text : args.values("--pixel")) {
    auto p = parse_position(text);
    if (!p) throw UsageError{"malformed X,Y: " + text};
    pixels.push_back(*p);
  }
  auto frame = std::make_unique<core::ImageFrame>();
  if (!read_frame(args, path, *frame, io)) return kExitFailed;
  const core::ImageFrame& f = *frame;
  print(io.out, "file: " + path);
  print(io.out, "size: " + std::to_string(f.width) + " x " + std::to_string(f.height));
  print(io.out, "planes: " + std::to_string(f.planes));
  print(io.out, "bitpix: " + std::to_string(f.bitpix));
  print(io.out, "float: " + std::to_string(f.is_float));
  print(io.out, "bzero: " + core::str_trimmed(f.bzero));
  print(io.out, "bscale: " + core::str_trimmed(f.bscale));
  print(io.out, "header cards: " + std::to_string(f.header_card_count));
  print(io.out, core::statistics_show(f));
  for (const auto& p : pixels) {
    std::string at = std::to_string(p.x) + "," + std::to_string(p.y);
    if (p.x < 0 || p.y < 0 || p.x >= f.width || p.y >= f.height) {
      print(io.err, path + ": pixel " + at + " is outside the " + std::to_string(f.width) + " x " +
                        std::to_string(f.height) + " frame");
      return kExitFailed;
    }
    print(io.out, "pixel " + at + " = " + core::str_trimmed(f.pixels.at(p.x, p.y)));
  }
  if (args.has("--header")) {
    for (int i = 1; i <= f.header_card_count; ++i) print(io.out, f.header_cards[i]);
  }
  return kExitDone;
}

int run_save(const ParsedArgs& args, const Streams& io) {
  const std::string& path = single_file(args);
  const std::string out = required(args, "-o");
  choice(args, "--bitpix", {8, 16, 32}, 0);  // usage checked before any reading
  auto frame = std::make_unique<core::ImageFrame>();
  if (!read_frame(args, path, *frame, io)) return kExitFailed;
  return write_frame(*frame, out, written_bitpix(args, *frame), io);
}

int run_rotate(const ParsedArgs& args, const Streams& io) {
  const std::string& path = single_file(args);
  const std::string out = required(args, "-o");
  choice(args, "--bitpix", {8, 16, 32}, 0);
  auto frame = std::make_unique<core::ImageFrame>();
  if (!read_frame(args, path, *frame, io)) return kExitFailed;
  display::rotate_180(*frame);
  return write_frame(*frame, out, written_bitpix(args, *frame), io);
}

int run_render(const ParsedArgs& args, const Streams& io) {
  const std::string& path = single_file(args);
  const std::string out = required(args, "-o");
  auto format = picture_format(out);
  if (!format) throw UsageError{"OUT must end in .png, .bmp, .jpg or .jpeg: " + out};
  display::DisplayState state;
  state.display_scale = choice(args, "--scale", {1, 2, 4}, 1);
  int quality = 50;
  if (auto q = args.value("--quality")) {
    double v = core::val(*q);
    if (v < 0 || v > 100) throw UsageError{"--quality must be 0..100: " + *q};
    quality = core::round_to_i32(v);
  }
  auto frame = std::make_unique<core::ImageFrame>();
  if (!read_frame(args, path, *frame, io)) return kExitFailed;
  if (args.has("--rotate")) display::rotate_180(*frame);
  display::auto_contrast(*frame, state);
  if (auto range = args.value("--range")) state.range = display::contrast_field_from_text(*range);
  if (auto bg = args.value("--background")) {
    state.background = display::contrast_field_from_text(*bg);
  }
  const display::RgbImage picture = display::render(*frame, state);
  if (auto written = write_picture(picture, out, *format, quality); !written) {
    print(io.err, written.error());
    return kExitFailed;
  }
  print(io.out, "range " + core::str_trimmed(state.range) + " / background " +
                    core::str_trimmed(state.background));
  return kExitDone;
}

const std::map<std::string, Command>& commands() {
  static const std::map<std::string, Command> kCommands = {
      {"info",
       {"info FILE [--pixel X,Y]... [--header] ",
        with_read_options({{"--pixel", true}, {"--header", false}}), run_info}},
      {"save",
       {"save FILE -o OUT [--bitpix 8|16|32] ",
        with_read_options({{"-o", true}, {"--bitpix", true}}), run_save}},
      {"render",
       {"render FILE -o OUT [--scale 1|2|4] [--range N] [--background N] [--rotate] "
        "[--quality Q] ",
        with_read_options({{"-o", true},
                           {"--scale", true},
                           {"--range", true},
                           {"--background", true},
                           {"--rotate", false},
                           {"--quality", true}}),
        run_render}},
      {"rotate",
       {"rotate FILE -o OUT [--bitpix 8|16|32] ",
        with_read_options({{"-o", true}, {"--bitpix", true}}), run_rotate}},
  };
  return kCommands;
}

std::string usage_line(const Command& command) {
  return "usage: orvane-cli " + command.usage + kReadOptionsUsage;
}

}  // namespace

std::string general_usage() {
  std::string text = "usage: orvane-cli COMMAND [OPTIONS] ARGS\n       orvane-cli --version\n";
  for (const auto& [name, command] : commands()) text += usage_line(command) + "\n";
  return text;
}

int run_command(const std::string& name, const std::vector<std::string>& args, const Streams& io) {
  auto found = commands().find(name);
  if (found == commands().end()) {
    print(io.err, "orvane-cli: unknown command " + name);
    std::fputs(general_usage().c_str(), io.err);
    return kExitUsage;
  }
  const Command& command = found->second;
  auto parsed = parse_args(args, command.options);
  if (!parsed) {
    print(io.err, "orvane-cli " + name + ": " + parsed.error());
    print(io.err, usage_line(command));
    return kExitUsage;
  }
  if (parsed->help) {
    print(io.out, usage_line(command));
    return kExitDone;
  }
  try {
    return command.run(*parsed, io);
  } catch (const UsageError& e) {
    print(io.err, "orvane-cli " + name + ": " + e.problem);
    print(io.err, usage_line(command));
    return kExitUsage;
  }
}

}  // namespace orvane::cli
