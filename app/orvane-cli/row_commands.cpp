// The commands that rewrite the rows of one frame: filter, limb, calc, incline; and fit, which
// prints a row's polynomial.
#include <memory>
#include <string>
#include <vector>

#include "cli_support.h"
#include "core/image_frame.h"
#include "core/number_text.h"
#include "processing/calculation.h"
#include "processing/limb_correction.h"
#include "processing/noise_filters.h"
#include "processing/polynomial_fit.h"

namespace orvane::cli {
namespace {

using processing::NoiseFilter;
using processing::RowsOutcome;

// In the order of NoiseFilter.
const std::vector<std::string> kFilterNames = {"hot-cool",      "3point",       "5point",
                                               "shade-average", "shade-median", "poly5"};

// The words before FILE (a filter name, an operation and its value), then FILE.
const std::vector<std::string>& arguments(const ParsedArgs& args, std::size_t count,
                                          const std::string& usage) {
  if (args.positional.size() < count) throw UsageError{"missing " + usage};
  if (args.positional.size() > count) {
    throw UsageError{"unexpected argument " + args.positional[count]};
  }
  return args.positional;
}

std::size_t word_index(const std::vector<std::string>& words, const std::string& word,
                       const std::string& what) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i] == word) return i;
  }
  throw UsageError{"invalid " + what + ": " + word};
}

// Reads FILE, runs the step on the frame, tells of rows or pixels it left unchanged and writes
// OUT; `done` is printed after a successful write.
template <typename Step>
int run_step(const ParsedArgs& args, core::CliUserInterface& ui, const std::string& path, Step step,
             const std::string& done) {
  const std::string out = required(args, "-o");
  choice(args, "--bitpix", {8, 16, 32}, 0);  // usage checked before any reading
  auto frame = std::make_unique<core::ImageFrame>();
  if (!read_frame(args, path, *frame, ui)) return kExitFailed;
  const RowsOutcome outcome = step(*frame);
  if (std::string left = processing::rows_left_message(outcome); !left.empty()) ui.message(left);
  const int status = write_frame(*frame, out, written_bitpix(args, *frame), ui);
  if (status == kExitDone) ui.print_result(done.empty() ? core::statistics_show(*frame) : done);
  return status;
}

int run_filter(const ParsedArgs& args, core::CliUserInterface& ui) {
  const auto& words = arguments(args, 2, "FILTER or FILE");
  const auto filter = NoiseFilter(word_index(kFilterNames, words[0], "filter"));
  return run_step(
      args, ui, words[1],
      [&](core::ImageFrame& frame) {
        // The neighbours are read from the undo copy, as the menu's filters read them.
        if (filter != NoiseFilter::kHotCool && filter != NoiseFilter::kFifthFunction) {
          core::undo_take(frame);
        }
        return processing::apply_noise_filter(frame, filter, ui);
      },
      "completion");
}

int run_limb(const ParsedArgs& args, core::CliUserInterface& ui) {
  return run_step(
      args, ui, single_file(args),
      [&](core::ImageFrame& frame) { return processing::limb_darkening_correct(frame, ui); }, "");
}

int run_calc(const ParsedArgs& args, core::CliUserInterface& ui) {
  const auto& words = arguments(args, 3, "add|mul, VALUE or FILE");
  const auto operation =
      processing::CalcOperation(word_index({"add", "mul"}, words[0], "operation"));
  const double operand = core::val(words[1]);
  return run_step(
      args, ui, words[2],
      [&](core::ImageFrame& frame) {
        processing::calculate(frame, operation, operand);
        return RowsOutcome{};
      },
      "");
}

int run_incline(const ParsedArgs& args, core::CliUserInterface& ui) {
  return run_step(
      args, ui, single_file(args),
      [&](core::ImageFrame& frame) { return processing::inclination_compensate_all(frame, ui); },
      "");
}

int run_fit(const ParsedArgs& args, core::CliUserInterface& ui) {
  const std::string& path = single_file(args);
  const int row = core::round_to_i32(core::val(required(args, "--row")));
  required(args, "--degree");
  const int degree = choice(args, "--degree", {2, 3, 4, 5}, 5);
  auto frame = std::make_unique<core::ImageFrame>();
  if (!read_frame_with_row(args, path, row, *frame, ui)) return kExitFailed;
  const auto fit = processing::function_approximate(frame->pixels.row(row), frame->width, degree);
  if (!fit) {
    ui.print_error(path + ": no polynomial of degree " + core::str_trimmed(degree) +
                   " can be fitted to row " + core::str_trimmed(row));
    return kExitFailed;
  }
  for (int k = 0; k <= degree; ++k) ui.print_result(core::str_round_trip(fit->coefficients[k]));
  return kExitDone;
}

}  // namespace

void add_row_commands(CommandTable& table) {
  const auto writes = [](std::vector<OptionSpec> options) {
    options.insert(options.begin(), output_option("the FITS file to write"));
    options.push_back(bitpix_option());
    return with_read_options(std::move(options));
  };
  table["filter"] = {
      "filter hot-cool|3point|5point|shade-average|shade-median|poly5 FILE -o OUT "
      "[--bitpix 8|16|32] ",
      "runs a noise filter of the Utility menu over the frame and writes the result", writes({}),
      run_filter};
  table["limb"] = {"limb FILE -o OUT [--bitpix 8|16|32] ",
                   "flattens each row by its degree-5 fit (limb darkening correction)", writes({}),
                   run_limb};
  table["calc"] = {"calc add|mul VALUE FILE -o OUT [--bitpix 8|16|32] ",
                   "adds VALUE to every pixel or multiplies every pixel by it", writes({}),
                   run_calc};
  table["incline"] = {"incline FILE -o OUT [--bitpix 8|16|32] ",
                      "levels every row by its straight-line fit (all-line inclination "
                      "compensation)",
                      writes({}), run_incline};
  table["fit"] = {
      "fit FILE --row R --degree 2|3|4|5 ",
      "prints the coefficients of a row's least-squares polynomial, highest power "
      "first",
      with_read_options({{"--row", "R", "the frame row to fit, from 0", "required"},
                         {"--degree", "2|3|4|5", "degree of the polynomial", "required"}}),
      run_fit};
}

}  // namespace orvane::cli
