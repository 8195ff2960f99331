#include "processing/continuous_calibration.h"

#include <filesystem>
#include <system_error>

#include "core/fits_writer.h"
#include "core/number_text.h"
#include "processing/calibration.h"

namespace orvane::processing {
namespace {

enum class Step { kDone, kSkipped, kStopped };

bool same_file(const std::string& a, const std::string& b) {
  std::error_code error;
  return a == b || std::filesystem::equivalent(a, b, error);
}

std::string size_text(int width, int height) {
  return core::str_trimmed(width) + " x " + core::str_trimmed(height);
}

struct Run {
  bool dark;
  const std::string& reference_path;
  const Reference& reference;
  const core::ReadOptions& options;
  core::FitsImage& image;  // each file in turn, in a buffer of the run's own
  BatchOutcome& outcome;

  Step stop(const std::string& message) {
    outcome.stop_messages = {message + "\r\n" + kStoppedHere};
    outcome.end = BatchEnd::kStopped;
    return Step::kStopped;
  }
  Step skip(const std::string& path, const std::string& why) {
    outcome.skipped.push_back(path + ": " + why);
    return Step::kSkipped;
  }
};

// Names the run leaves out before showing them: other files, and the reference itself.
bool left_out_by_name(Run& run, const std::string& path) {
  if (!core::is_fits_name(path)) {
    run.skip(path, "not a FITS file name");
    return true;
  }
  if (same_file(path, run.reference_path)) {
    run.skip(path, run.dark ? "the dark frame itself" : "the flat field itself");
    return true;
  }
  return false;
}

// Reads, corrects and rewrites one file. Results beyond the file's BITPIX range are limited as
// every save limits them, and the run goes on: a saturated star divided by a flat below 1 must
// not stop a night. The files with limited values are named when the run ends.
Step correct_file(Run& run, const std::string& path) {
  core::FitsImage& image = run.image;
  core::Result<core::ReadReport> read = core::fits_read_image(image, path, run.options);
  if (!read) return run.stop(read.error());
  if (image.is_float) {
    return run.skip(path, "BITPIX -32 is not rewritten (as integers its fractions would be lost)");
  }
  const core::FitsImage& reference = run.reference.image;
  if (image.width != reference.width || image.height != reference.height) {
    return run.skip(path, size_text(image.width, image.height) + ", the reference " +
                              size_text(reference.width, reference.height));
  }
  if (run.dark) {
    subtract_reference(image, run.reference);
  } else {
    divide_by_reference(image, run.reference);
  }
  core::Result<core::WriteReport> written = core::fits_write(image, path, image.bitpix);
  if (!written) return run.stop(written.error());
  if (std::string clipped = core::clip_message(path, *written); !clipped.empty()) {
    run.outcome.warnings.push_back(clipped);
  }
  return Step::kDone;
}

BatchOutcome run_continuous(const core::ReadOptions& options, bool dark,
                            const std::string& reference_path,
                            const std::vector<std::string>& files, core::UserInterface& ui) {
  BatchOutcome outcome;
  outcome.total = files.size();
  if (!ui.ask_ok_cancel(continuous_question(dark, options))) {
    outcome.end = BatchEnd::kDeclined;
    return outcome;
  }
  core::BusyGuard busy(ui);
  core::ProgressGuard progress(ui);
  if (!ui.progress(dark ? "Progress DARK" : "Progress FLAT", "", {0, files.size()})) {
    outcome.end = BatchEnd::kCancelled;
    return outcome;
  }
  core::Result<Reference> reference = load_reference(
      reference_path, dark ? ReferenceKind::kDark : ReferenceKind::kFlat, options.sign_mode);
  if (!reference) {
    outcome.stop_messages = {reference.error()};
    outcome.end = BatchEnd::kStopped;
    return outcome;
  }
  core::FitsImage image;
  Run run{dark, reference_path, *reference, options, image, outcome};
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (left_out_by_name(run, files[i])) continue;
    if (!ui.progress("Progress" + core::str(double(i + 1)), files[i], {i, files.size()})) {
      outcome.end = BatchEnd::kCancelled;
      break;
    }
    const Step step = correct_file(run, files[i]);
    if (step == Step::kStopped) break;
    if (step == Step::kDone) ++outcome.done;
  }
  return outcome;
}

}  // namespace

std::string continuous_question(bool dark, const core::ReadOptions& options) {
  std::string question = std::string("Is a continuous processing of a ") +
                         (dark ? "dark frame" : "flat field") + " executed ?";
  const std::string calculation = core::read_calculation_text(options);
  if (!calculation.empty()) question += "\r\n" + calculation;
  return question;
}

BatchOutcome continuous_dark(const core::ReadOptions& options, const std::string& dark_path,
                             const std::vector<std::string>& files, core::UserInterface& ui) {
  return run_continuous(options, true, dark_path, files, ui);
}

BatchOutcome continuous_flat(const core::ReadOptions& options, const std::string& flat_path,
                             const std::vector<std::string>& files, core::UserInterface& ui) {
  return run_continuous(options, false, flat_path, files, ui);
}

}  // namespace orvane::processing
