// The calibration and batch commands: dark, flat, batch-dark, batch-flat, composite, bzero.
#include <memory>

#include "cli_support.h"
#include "core/cli_user_interface.h"
#include "core/image_frame.h"
#include "core/number_text.h"
#include "input_files.h"
#include "processing/auto_composite.h"
#include "processing/calibration.h"
#include "processing/continuous_calibration.h"
#include "processing/scaling_cards.h"

namespace orvane::cli {
namespace {

using processing::BatchEnd;
using processing::BatchOutcome;

// The files of (FILE...|FOLDER); false (with the message shown) when they are refused.
bool batch_files(const ParsedArgs& args, core::CliUserInterface& ui,
                 std::vector<std::string>& files) {
  core::Result<std::vector<std::string>> paths = input_files(args);
  if (!paths) {
    ui.print_error(paths.error());
    return false;
  }
  files = std::move(*paths);
  return true;
}

// Tells how the batch ended: what stopped it and the files left out or limited on stderr, the
// counts on stdout.
int batch_status(const BatchOutcome& outcome, core::CliUserInterface& ui,
                 const std::string& done_word) {
  for (const std::string& message : outcome.stop_messages) ui.message(message);
  if (std::string summary = processing::batch_summary(outcome); !summary.empty()) {
    ui.message(summary);
  }
  ui.print_result(done_word + " " + core::str_trimmed(outcome.done) + ", skipped " +
                  core::str_trimmed(double(outcome.skipped.size())));
  return outcome.end == BatchEnd::kCompleted ? kExitDone : kExitFailed;
}

// dark and flat: one reference applied to the frame read from FILE, written to OUT.
template <typename Step>
int run_single(const ParsedArgs& args, core::CliUserInterface& ui,
               const std::string& reference_option, Step step) {
  const std::string& path = single_file(args);
  const std::string reference = required(args, reference_option);
  const std::string out = required(args, "-o");
  choice(args, "--bitpix", {8, 16, 32}, 0);  // usage checked before any reading
  auto frame = std::make_unique<core::ImageFrame>();
  if (!read_frame(args, path, *frame, ui)) return kExitFailed;
  if (core::Status s = step(*frame, reference); !s) {
    ui.print_error(core::CliUserInterface::one_line(s.error()));
    return kExitFailed;
  }
  const int status = write_frame(*frame, out, written_bitpix(args, *frame), ui);
  if (status == kExitDone) ui.print_result(core::statistics_show(*frame));
  return status;
}

int run_dark(const ParsedArgs& args, core::CliUserInterface& ui) {
  const bool keep_negative = args.has("--keep-negative");
  return run_single(args, ui, "--dark", [keep_negative](core::ImageFrame& f, const std::string& r) {
    return processing::dark_subtract(f, r, keep_negative);
  });
}

int run_flat(const ParsedArgs& args, core::CliUserInterface& ui) {
  return run_single(args, ui, "--flat", [](core::ImageFrame& f, const std::string& r) {
    return processing::flat_field(f, r);
  });
}

template <typename Batch>
int run_continuous(const ParsedArgs& args, core::CliUserInterface& ui,
                   const std::string& reference_option, Batch batch) {
  const std::string reference = required(args, reference_option);
  auto frame = std::make_unique<core::ImageFrame>();
  apply_read_options(args, *frame);
  std::vector<std::string> files;
  if (!batch_files(args, ui, files)) return kExitFailed;
  return batch_status(batch(core::read_options_of(*frame), reference, files, ui), ui, "processed");
}

int run_batch_dark(const ParsedArgs& args, core::CliUserInterface& ui) {
  return run_continuous(args, ui, "--dark", processing::continuous_dark);
}

int run_batch_flat(const ParsedArgs& args, core::CliUserInterface& ui) {
  return run_continuous(args, ui, "--flat", processing::continuous_flat);
}

int run_composite(const ParsedArgs& args, core::CliUserInterface& ui) {
  required(args, "-n");
  const int pictures = choice(args, "-n", {3, 5, 7}, 3);
  auto frame = std::make_unique<core::ImageFrame>();
  apply_read_options(args, *frame);
  std::vector<std::string> files;
  if (!batch_files(args, ui, files)) return kExitFailed;
  const BatchOutcome outcome = processing::auto_composite(
      core::read_options_of(*frame), files, pictures, args.value("--outdir").value_or(""), ui);
  return batch_status(outcome, ui, "written");
}

int run_bzero(const ParsedArgs& args, core::CliUserInterface& ui) {
  const std::string bzero = required(args, "--bzero");
  const std::string bscale = required(args, "--bscale");
  if (auto fields = processing::scaling_fields(bzero, bscale); !fields) {
    ui.print_error(fields.error());
    return kExitFailed;
  }
  std::vector<std::string> files;
  if (!batch_files(args, ui, files)) return kExitFailed;
  return batch_status(processing::change_bzero_bscale(files, bzero, bscale, ui), ui, "processed");
}

}  // namespace

void add_processing_commands(CommandTable& table) {
  const OptionSpec dark{"--dark", "DARK", "the dark frame", "required"};
  const OptionSpec flat{"--flat", "FLAT", "the flat field", "required"};
  table["dark"] = {
      "dark --dark DARK FILE -o OUT [--keep-negative] [--bitpix 8|16|32] ",
      "subtracts a dark frame from a frame and writes the result",
      with_read_options({dark,
                         output_option("the FITS file to write"),
                         {"--keep-negative", "", "keep values below 0 instead of raising them", ""},
                         bitpix_option()}),
      run_dark};
  table["flat"] = {
      "flat --flat FLAT FILE -o OUT [--bitpix 8|16|32] ",
      "divides a frame by a flat field and writes the result",
      with_read_options({flat, output_option("the FITS file to write"), bitpix_option()}),
      run_flat};
  table["batch-dark"] = {"batch-dark --dark DARK (FILE...|FOLDER) ",
                         "subtracts a dark frame from every file, rewriting each in place",
                         with_read_options({dark}), run_batch_dark};
  table["batch-flat"] = {"batch-flat --flat FLAT (FILE...|FOLDER) ",
                         "divides every file by a flat field, rewriting each in place",
                         with_read_options({flat}), run_batch_flat};
  table["composite"] = {"composite -n 3|5|7 (FILE...|FOLDER) [--outdir DIR] ",
                        "averages each frame with its neighbours into c3_, c5_ or c7_ files",
                        with_read_options({{"-n", "3|5|7", "frames in each composite", "required"},
                                           {"--outdir", "DIR", "folder of the composites",
                                            "default: beside each input"}}),
                        run_composite};
  table["bzero"] = {"bzero --bzero TEXT --bscale TEXT (FILE...|FOLDER)",
                    "changes the BZERO and BSCALE cards of every file in place",
                    {{"--bzero", "TEXT", "the new BZERO value", "required"},
                     {"--bscale", "TEXT", "the new BSCALE value", "required"}},
                    run_bzero,
                    false};
}

}  // namespace orvane::cli
