#include "cli_support.h"

#include "core/cli_user_interface.h"
#include "core/fits_reader.h"
#include "core/fits_writer.h"
#include "core/number_text.h"

namespace orvane::cli {

std::vector<OptionSpec> with_read_options(std::vector<OptionSpec> options) {
  options.push_back({"--signed", "", "read with the \"Non Sign Integer\" switch off", ""});
  options.push_back({"--dusky", "", "read in dusky mode", ""});
  options.push_back({"--read-add", "V", "add V to every value as it is read", ""});
  options.push_back({"--read-mul", "V", "multiply every value by V as it is read", ""});
  return options;
}

OptionSpec output_option(const std::string& what) {
  return {"-o", "OUT", what, "required"};
}

OptionSpec bitpix_option() {
  return {"--bitpix", "8|16|32", "BITPIX of the written file", "default the BITPIX read"};
}

int written_bitpix(const ParsedArgs& args, const core::ImageFrame& frame) {
  return choice(args, "--bitpix", {8, 16, 32}, frame.bitpix);
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

int word_choice(const ParsedArgs& args, const std::string& name,
                const std::vector<std::string>& words, int fallback) {
  auto value = args.value(name);
  if (!value) return fallback;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (*value == words[i]) return static_cast<int>(i);
  }
  throw UsageError{"invalid value for " + name + ": " + *value};
}

PixelPosition position_option(const std::string& name, const std::string& text) {
  auto p = parse_position(text);
  if (!p) throw UsageError{"malformed X,Y for " + name + ": " + text};
  return *p;
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

bool read_frame(const ParsedArgs& args, const std::string& path, core::ImageFrame& frame,
                core::CliUserInterface& ui) {
  apply_read_options(args, frame);
  auto report = core::fits_read(frame, path);
  if (!report) {
    ui.message(report.error());
    return false;
  }
  if (!report->warning.empty()) ui.message(report->warning);
  return true;
}

bool read_frame_with_row(const ParsedArgs& args, const std::string& path, int row,
                         core::ImageFrame& frame, core::CliUserInterface& ui) {
  if (!read_frame(args, path, frame, ui)) return false;
  if (row >= 0 && row < frame.height) return true;
  ui.print_error(path + ": row " + core::str_trimmed(row) + " is outside the " +
                 core::str_trimmed(frame.width) + " x " + core::str_trimmed(frame.height) +
                 " frame");
  return false;
}

int write_frame(const core::ImageFrame& frame, const std::string& out, int bitpix,
                core::CliUserInterface& ui) {
  auto written = core::fits_write(frame, out, bitpix);
  if (!written) {
    ui.message(written.error());
    return kExitFailed;
  }
  if (auto clipped = core::clip_message(out, *written); !clipped.empty()) ui.message(clipped);
  return kExitDone;
}

}  // namespace orvane::cli
